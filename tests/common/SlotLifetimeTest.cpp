#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "framework/ClassRecord.h"

namespace {

int Answer() {
    return 42;
}

const fw::ClassRecord& ProbeRecord() {
    static const fw::ClassRecord& record = fw::DefineClass("SlotLifetimeTest.Probe", nullptr);
    return record;
}

// Calls through a slot while the process ends. It is defined before the slot below, so it is
// destroyed after it: after the slot's own destructor, if the slot had one.
struct CallAtExit {
    const fw::MethodSlot<int()>* slot = nullptr;

    ~CallAtExit() {
        if (slot == nullptr) {
            return;
        }
        const auto function = slot->Target(ProbeRecord());
        if (function == nullptr || function() != 42) {
            std::fputs("The slot lost its binding before the process ended.\n", stderr);
            std::_Exit(3);
        }
    }
};
CallAtExit callAtExit;

// Built at compile time, as every slot constant is.
constinit const fw::MethodSlot<int()> kProbe;

TEST(SlotLifetime, ACallWhileStaticsAreDestroyedStillFindsItsBinding) {
    EXPECT_EXIT(
        {
            kProbe.Bind(ProbeRecord(), &Answer);
            callAtExit.slot = &kProbe;
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
