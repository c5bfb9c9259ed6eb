#pragma once

#include <optional>

class QWidget;

// How the service dialogs let the user choose a service item: the one place that
// names the selector, so the host's service item selection (TfrmPtypeServiceSel)
// takes over here alone. Until then the product selection is asked and the first
// chosen product that is a service item is taken. The item's product record, or
// none when nothing usable was chosen (the user has been told why).
std::optional<int> ChooseServiceItem(QWidget* parent);
