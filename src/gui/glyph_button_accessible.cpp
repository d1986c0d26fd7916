// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyph_button_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <mutex>

#include "glyph_button.h"

namespace sonatrix::gui {
namespace {

class GlyphButtonAccessible : public QAccessibleWidget {
  public:
    explicit GlyphButtonAccessible(GlyphButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {
        addControllingSignal(QStringLiteral("clicked(bool)"));
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return Button()->text().remove(QLatin1Char('&'));
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = Button()->isDown();
        return state;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled())
            names << pressAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // Shown pressed for a moment, then clicked from the event loop.
        if (widget()->isEnabled())
            Button()->animateClick();
    }

  private:
    GlyphButton* Button() const { return static_cast<GlyphButton*>(widget()); }
};

QAccessibleInterface* GlyphButtonInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(GlyphButton::staticMetaObject.className()))
        return nullptr;
    auto* button = qobject_cast<GlyphButton*>(object);
    return button ? new GlyphButtonAccessible(button) : nullptr;
}

}  // namespace

void InstallGlyphButtonAccessibility() {
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(GlyphButtonInterface); });
}

}  // namespace sonatrix::gui
