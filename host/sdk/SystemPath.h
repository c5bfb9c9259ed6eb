#pragma once

#include <QString>

// The host's system folder, where the device libraries live: Card_dll.so and the
// identity-card plug libraries under PlugCard/. It is the host setting
// "SystemPath" as the session holds it; when that is empty, the folder the module
// libvip.so was loaded from, so a build or an installation finds the libraries
// shipped beside the module. Never ends with a slash.
QString GetSystemPath();
