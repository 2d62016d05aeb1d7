// The message a test sends to the test pump's owner window to have it request a status check.
#pragma once

#include "platform/wintypes.h"

constexpr UINT WM_PUMP_REQUEST_CHECK = WM_USER + 60;
