#pragma once

#include "host/sdk/TParamObject.h"

#include <QString>

class QTabWidget;
class TBaseQuery;

// Opens a registered list window by class name, modally, with the caller's
// parameters. When it closes with mrOk the parameters also hold the fields of the
// row that was current, by field name ("ctypeid", "TypeName"); otherwise those
// names are absent, so an empty name means nothing was picked. Returns the modal
// result; mrNone when the window could not open (the user has been told why).
int CallQueryClass(const QString& className, TParamObject& params);

// Opens a registered list window as a page of the desktop's tabs; the page closes
// when the window sets a modal result. Null when the window could not open.
TBaseQuery* OpenQueryClassTab(const QString& className, QTabWidget& tabs, const TParamObject& params = {});
