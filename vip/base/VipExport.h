#pragma once

#include <QtGlobal>

// CMake defines vip_EXPORTS while it builds libvip.so itself.
#if defined(vip_EXPORTS)
#define VIP_EXPORT Q_DECL_EXPORT
#else
#define VIP_EXPORT Q_DECL_IMPORT
#endif
