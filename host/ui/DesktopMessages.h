#pragma once

#include "host/sdk/MessageBox.h"

// The desktop's message boxes: the host's style word picks the icon and the
// buttons, captioned in Chinese, and the box runs modally through the host.
class DesktopMessages final : public MessageService {
public:
    int show(const QString& text, const QString& caption, int style) override;
};
