#pragma once

#include "vip/base/VipExport.h"

class QWidget;

extern "C" {
// "会员卡信息导入" from the member list: asks for a CSV file, previews what it would
// import and imports it when the user agrees. True when cards were imported.
VIP_EXPORT bool VipCardImport(QWidget* parent);
}
