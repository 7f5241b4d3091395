#pragma once
// The widget that renders a wizard page's logic, by the logic's class.
class QWidget;

namespace velmo {

class TWizardPage;

// A new widget for `page` inside `parent`, or nullptr when the page has no widget
// yet (the wizard then shows an empty page area).
QWidget* CreatePageView(TWizardPage& page, QWidget* parent);

}  // namespace velmo
