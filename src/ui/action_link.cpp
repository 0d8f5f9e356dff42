#include "ui/action_link.h"

#include <QAbstractButton>
#include <QAction>
#include <functional>

#include "platform/qt/qt_text.h"

namespace {

// What the control last took from the action; lives as a child of the
// control, so the link ends with either of the two.
class LinkState : public QObject {
 public:
  LinkState(QObject* control, QAction* action)
      : QObject(control), text(action->text()), toolTip(action->toolTip()), enabled(action->isEnabled()) {}
  QString text;
  QString toolTip;
  bool enabled;
};

struct LinkTarget {
  std::function<void(const QString&)> setText;  // empty: the caption is not passed on
  std::function<void(const QString&)> setHint;
  std::function<void(bool)> setEnabled;
};

void Link(QObject* control, QAction* action, LinkTarget target) {
  auto* state = new LinkState(control, action);
  if (target.setText) target.setText(state->text);
  target.setHint(state->toolTip);
  target.setEnabled(state->enabled);
  QObject::connect(action, &QAction::changed, state, [state, action, target] {
    if (target.setText && action->text() != state->text) {
      state->text = action->text();
      target.setText(state->text);
    }
    if (action->toolTip() != state->toolTip) {
      state->toolTip = action->toolTip();
      target.setHint(state->toolTip);
    }
    if (action->isEnabled() != state->enabled) {
      state->enabled = action->isEnabled();
      target.setEnabled(state->enabled);
    }
  });
}

}  // namespace

void LinkToAction(QAction* item, QAction* action) {
  Link(item, action,
       {[item](const QString& text) { item->setText(text); },
        [item](const QString& hint) {
          item->setToolTip(hint);
          item->setStatusTip(hint);
        },
        [item](bool enabled) { item->setEnabled(enabled); }});
  QObject::connect(item, &QAction::triggered, action, [action] { action->trigger(); });
}

void LinkToAction(QAbstractButton* button, QAction* action) {
  Link(button, action, {{}, [button](const QString& hint) { button->setToolTip(hint); },
                        [button](bool enabled) { button->setEnabled(enabled); }});
  QObject::connect(button, &QAbstractButton::clicked, action, [action] { action->trigger(); });
}

std::string PlainCaption(const QAction* item) {
  if (!item) return std::string();
  QString text = item->text();
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  return vemu::platform::toUtf8(text);
}
