// Every library test starts from a library as it is at load, in a fresh
// working directory of its own (the cache files live there), with a clock the
// test moves by hand and short transfer timeouts.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "kova.h"
#include "kova_queue.h"
#include "kova_worker.h"

extern uint32_t FakeNow;

class KovaTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the queue until nothing waits or runs; waits on the worker thread
    // itself instead of on the clock.
    static void Pump();
    static int32_t StateOfFirst();
    static bool Exists(const char* file) { return std::filesystem::exists(file); }

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};
