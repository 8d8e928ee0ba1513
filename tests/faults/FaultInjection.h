// SPDX-License-Identifier: GPL-3.0-or-later
// Control of the fault-injection library built with the tests.
//
// The library stands in front of the C library for the calls a run makes on
// disk and, when a fault is armed, makes the chosen call fail with a chosen
// errno, or stops there so that a test can change the folder (a hook) or kill
// the process (a pause). Test programs link it, so the program's own code path
// is the one tested; any other program can be given it with LD_PRELOAD and
// armed through the environment:
//
//   KESTRAVA_FAULT_CALL   the call: renameat2, renameat (the plain rename), linkat, unlinkat, fchmodat,
//                         openat (open, openat, opendir), getdents64 (readdir),
//                         fstat, write, fdatasync (fdatasync, fsync), fallocate,
//                         ftruncate, mmap (mmap of a file, mremap)
//   KESTRAVA_FAULT_ERRNO  EIO, ENOSPC, EROFS, EACCES, ENAMETOOLONG, EXDEV,
//                         EINVAL, EEXIST, ENOENT, EPERM, EOPNOTSUPP, ENODEV,
//                         ENOMEM or a number; unset: no failure
//   KESTRAVA_FAULT_NTH    strike only the n-th matching call (from 1); unset or 0: every one
//   KESTRAVA_FAULT_NAME   match only calls on this name: the last component of
//                         the call's path (either path of a rename or link),
//                         or of the path of the descriptor it works on
//   KESTRAVA_FAULT_PAUSE  a folder: at the struck call the library creates
//                         "reached" in it and waits until "go" appears there
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/// One fault: which call, which matching call, and what happens there.
struct KestravaFault
{
    const char *call;         ///< one of the call names above
    int error;                ///< errno to fail with; 0 lets the call go ahead
    int nth;                  ///< the n-th matching call after arming, from 1; 0: every one
    const char *name;         ///< the name the call's path must end in; null: any path
    void (*hook)(void *data); ///< called at the struck call before it fails or goes ahead
    void *data;               ///< passed to hook
};

/// Adds \a fault to the armed faults (at most 8); texts are copied.
void kestrava_fault_arm(const struct KestravaFault *fault);
/// Disarms every fault.
void kestrava_fault_disarm(void);
/// How many calls the armed faults have struck since they were armed.
int kestrava_fault_hits(void);

#ifdef __cplusplus
}

namespace kestrava::testing {

/// Arms faults for its lifetime.
class FaultScope
{
public:
    FaultScope() = default;
    explicit FaultScope(const KestravaFault &fault) { arm(fault); }
    ~FaultScope() { kestrava_fault_disarm(); }
    FaultScope(const FaultScope &) = delete;
    FaultScope &operator=(const FaultScope &) = delete;
    void arm(const KestravaFault &fault) { kestrava_fault_arm(&fault); }
    int hits() const { return kestrava_fault_hits(); }
};

} // namespace kestrava::testing
#endif
