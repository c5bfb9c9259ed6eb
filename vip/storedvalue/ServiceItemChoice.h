#pragma once

#include <optional>

class QWidget;

// How the service dialogs let the user choose a service item: the host's service
// item selection, which lists only live products that are service items. The item's
// product record, or none when the user left without choosing.
std::optional<int> ChooseServiceItem(QWidget* parent);
