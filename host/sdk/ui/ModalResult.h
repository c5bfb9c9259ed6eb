#pragma once

// Modal results, numbered as the host's windows have always numbered them: a window
// closed by its OK button returns mrOk, one closed by Esc or its close box mrCancel.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
