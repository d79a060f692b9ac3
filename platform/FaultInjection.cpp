#include "platform/FaultInjection.h"

#include <array>

namespace platform {
namespace {

std::array<int, static_cast<int>(FaultOp::kCount)> g_countdown{};
bool g_armed = false;

}  // namespace

void FailNthCall(FaultOp op, int n) {
    g_countdown[static_cast<int>(op)] = n < 0 ? 0 : n;
    g_armed = false;
    for (int c : g_countdown) g_armed = g_armed || c != 0;
}

void ClearFaults() {
    g_countdown.fill(0);
    g_armed = false;
}

bool InjectFault(FaultOp op) {
    if (!g_armed) return false;
    int& left = g_countdown[static_cast<int>(op)];
    if (left == 0) return false;
    return --left == 0;
}

}  // namespace platform
