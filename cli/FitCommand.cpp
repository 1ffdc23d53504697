// quon-calc fit: the first-fit proposal of one eye, as the page computes it.
#include <sstream>

#include "cli/QuonCalc.h"
#include "pages/FirstFit.h"

namespace cli {

int RunFit(const std::vector<std::string>& args, Context& context) {
  const Options options(args,
                        {"rfl", "rst", "aflm", "ecc", "hhd", "sph", "cyl", "axis", "hsa", "prism", "eye"},
                        {"skip-check", "json"});
  const char sep = context.separator;
  firstfit::EyeInput in;
  in.rfl = ReadField(options, "rfl", firstfit::kFitRfl, sep);
  in.rst = ReadField(options, "rst", firstfit::kFitRst, sep);
  in.aflm = ReadField(options, "aflm", firstfit::kFitAflm, sep);
  in.exz = ReadField(options, "ecc", firstfit::kFitExz, sep);
  in.hhdia = ReadField(options, "hhd", firstfit::kFitHHdia, sep);
  in.sph = ReadField(options, "sph", firstfit::kFitSph, sep);
  in.cyl = ReadField(options, "cyl", firstfit::kFitCyl, sep);
  in.axis = ReadField(options, "axis", firstfit::kFitAxis, sep);
  in.hsa = ReadField(options, "hsa", firstfit::kFitHSA, sep);
  const bool prismAnswer = ReadYesNo(options, "prism", false);
  const std::string eye = options.Value("eye").value_or("RA");
  if (eye != "RA" && eye != "LA") throw Failure{kExitInput, "--eye erwartet RA oder LA, nicht \"" + eye + "\""};

  // A value that counts as "not set" on the page (-99 in the axis field) gives no proposal there.
  if (!firstfit::Complete(in))
    throw Failure{kExitInput, "Die Angaben sind unvollständig: ein Wert entspricht dem Leerwert -99."};

  // The page keeps the flat radius the larger one.
  if (firstfit::RadiiNeedExchange(in.rfl, in.rst)) std::swap(in.rfl, in.rst);

  TKiroCalculate engine;
  firstfit::EyeState state;  // a fresh eye
  firstfit::ProposeOptions proposeOptions;
  proposeOptions.checkSuitability = !options.Flag("skip-check");
  const auto outcome = firstfit::ProposeEye(
      engine, in, state, [&](double) { return prismAnswer; }, sep, proposeOptions);

  switch (outcome.status) {
    case firstfit::ProposalStatus::Unsuitable:
      throw Failure{kExitCheck, firstfit::kMsgUnsuitable};
    case firstfit::ProposalStatus::Failed:
      throw Failure{kExitCheck, firstfit::kMsgProposeFailed};
    case firstfit::ProposalStatus::Proposed:
      break;
  }

  const TKiroContactLensData& lens = engine.Lens;
  if (options.Flag("json")) {
    JsonObject json;
    json.Integer("result", 0)
        .String("design", ToString(engine.LensDesign()))
        .String("type", ToString(engine.LensType()))
        .String("typeText", outcome.view.lensType)
        .Number("r0fl", lens.r0fl)
        .Number("r0st", lens.r0st)
        .Number("fv", lens.fv)
        .Number("fvst", lens.fvst)
        .Number("dg", lens.dg)
        .Number("eps", lens.eps)
        .Integer("asw", lens.asw)
        .Number("prs", lens.prs)
        .Number("S", lens.S)
        .Number("C", lens.C)
        .Number("A", lens.A)
        .Bool("optionalPrs", lens.OptionalPrs)
        .Bool("askedPrism", outcome.askedPrism)
        .String("infoMsg", engine.InfoMsg())
        .Integer("errCode", engine.ErrCode())
        .String("errMsg", engine.ErrMsg())
        .Number("sph0", engine.sph0())
        .Number("cyl0", engine.cyl0())
        .Number("axis0", engine.Axis0());
    context.out << json.Text();
    return kExitOk;
  }

  // Plain output: the order text the page's copy button writes for this proposal.
  for (const auto& line : firstfit::OrderLines(eye, outcome.view)) context.out << line << "\n";
  if (!engine.InfoMsg().empty()) context.err << engine.InfoMsg() << "\n";
  return kExitOk;
}

}  // namespace cli
