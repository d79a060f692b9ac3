#pragma once

// A seam for tests: makes the n-th call of one kind of file operation fail the way the
// operating system would report it. Disarmed, it costs one predictable branch per operation.
namespace platform {

enum class FaultOp { Open, Read, Write, Close, Rename, kCount };

/// Arms op: counting from now, its n-th call (1 = the next one) fails once. n = 0 disarms it.
void FailNthCall(FaultOp op, int n);
/// Disarms every operation.
void ClearFaults();
/// Called by the platform layer before it performs op; true means: fail this call.
bool InjectFault(FaultOp op);

}  // namespace platform
