#include "app/Messages.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

// Runs a box without a parent window and centres it on the screen it appears on.
QMessageBox::StandardButton Run(QMessageBox& box) {
  box.setWindowModality(Qt::ApplicationModal);
  box.adjustSize();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = box.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    box.move(frame.topLeft());
  }
  box.exec();
  return box.standardButton(box.clickedButton());
}

}  // namespace

void TMessageBoxMessages::Error(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Fehler"), text, QMessageBox::Ok);
  Run(box);
}

void TMessageBoxMessages::Information(const QString& text) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok);
  Run(box);
}

bool TMessageBoxMessages::Confirm(const QString& text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Bestätigen"), text,
                  QMessageBox::Yes | QMessageBox::No);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
  box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
  box.setDefaultButton(QMessageBox::Yes);
  return Run(box) == QMessageBox::Yes;
}

void TMessageBoxMessages::Beep() { QApplication::beep(); }
