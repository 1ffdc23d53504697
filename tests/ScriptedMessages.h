#pragma once
// A scripted stand-in for the program's message boxes: it records every message and
// answers confirmations from a queue, so widget tests never block on a dialog.

#include <gtest/gtest.h>

#include <QString>

#include <deque>
#include <functional>
#include <vector>

#include "app/Messages.h"

class ScriptedMessages : public TMessages {
 public:
  enum class Kind { Error, Information, Confirm, Beep };
  struct Entry {
    Kind kind;
    QString text;
  };

  void Error(const QString& text) override { Record(Kind::Error, text); }
  void Information(const QString& text) override { Record(Kind::Information, text); }
  bool Confirm(const QString& text) override {
    Record(Kind::Confirm, text);
    if (answers.empty()) {
      // No exception: it would have to cross Qt's event handling.
      ADD_FAILURE() << "unscripted confirmation: " << text.toStdString();
      return false;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void Beep() override { Record(Kind::Beep, QString()); }

  // Answers of the coming confirmations, true for Yes.
  std::deque<bool> answers;
  // Everything shown so far, in order.
  std::vector<Entry> log;
  // Runs while a message is "open", e.g. to look at the window behind it.
  std::function<void(const Entry&)> whileShown;

  std::vector<QString> Texts(Kind kind) const {
    std::vector<QString> out;
    for (const auto& e : log)
      if (e.kind == kind) out.push_back(e.text);
    return out;
  }
  void Clear() { log.clear(); }

 private:
  void Record(Kind kind, const QString& text) {
    log.push_back({kind, text});
    if (whileShown) whileShown(log.back());
  }
};
