#pragma once
// The main window's page control: a QTabWidget whose pages stay reachable while their
// tabs are hidden. Qt 6.4's tab bar still paints the current tab when that tab is
// hidden (a stray piece of its caption in the corner); this bar paints only the shown
// tabs then.

#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>

class TPageTabBar : public QTabBar {
  Q_OBJECT

 public:
  using QTabBar::QTabBar;

 protected:
  void paintEvent(QPaintEvent* event) override {
    const int current = currentIndex();
    if (current < 0 || isTabVisible(current)) {
      QTabBar::paintEvent(event);
      return;
    }
    QStylePainter painter(this);
    for (int i = 0; i < count(); ++i) {
      if (!isTabVisible(i)) continue;
      QStyleOptionTab tab;
      initStyleOption(&tab, i);
      painter.drawControl(QStyle::CE_TabBarTab, tab);
    }
  }
};

class TPageControl : public QTabWidget {
  Q_OBJECT

 public:
  explicit TPageControl(QWidget* parent = nullptr) : QTabWidget(parent) { setTabBar(new TPageTabBar(this)); }
};
