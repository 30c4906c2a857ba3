#include "kova_fixture.h"

#include <cstdlib>
#include <string>

uint32_t FakeNow = 0;

namespace {
uint32_t FakeTick() { return FakeNow; }
}  // namespace

void KovaTest::SetUp() {
    previous_ = std::filesystem::current_path();
    std::string pattern = (previous_ / "kova-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    std::filesystem::current_path(folder_);
    KovaResetLibrary();
    FakeNow = 1000;
    KovaTickSource = FakeTick;
    KovaTransferLimits = KovaLimits{};
    KovaTransferLimits.connectTimeoutMs = 2000;
    KovaTransferLimits.totalTimeoutMs = 4000;
}

void KovaTest::TearDown() {
    KovaResetLibrary();
    KovaTickSource = KovaSteadyTick;
    KovaTransferLimits = KovaLimits{};
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void KovaTest::Pump() {
    for (;;) {
        KOVA_Update();
        bool busy = false;
        for (const KovaCommand& c : KovaQueue) busy = busy || c.state == KovaStateWaiting || c.state == KovaStateRunning;
        if (!busy) return;
        KovaJoinWorker(KovaThreadedWorker);
    }
}

int32_t KovaTest::StateOfFirst() { return KovaQueue.empty() ? -1 : KovaQueue.front().state; }
