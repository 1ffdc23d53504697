#pragma once
// The program's messages: modal boxes of the kinds error, information and confirmation,
// and the system beep. Everything that talks to the user goes through TMessages, so
// tests can put a scripted implementation in its place and never block on a dialog.

#include <QString>

class TMessages {
 public:
  virtual ~TMessages() = default;
  // Error box with an OK button.
  virtual void Error(const QString& text) = 0;
  // Information box with an OK button.
  virtual void Information(const QString& text) = 0;
  // Confirmation box with Yes and No; true for Yes.
  virtual bool Confirm(const QString& text) = 0;
  // The system's default beep.
  virtual void Beep() = 0;
};

// Modal QMessageBox dialogs centred on the screen, titled with the standard title of
// their kind.
class TMessageBoxMessages : public TMessages {
 public:
  void Error(const QString& text) override;
  void Information(const QString& text) override;
  bool Confirm(const QString& text) override;
  void Beep() override;
};
