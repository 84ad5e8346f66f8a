#pragma once

#include "app/automatic_backup.h"

namespace shiftex::test {

// The backup timer without time: it records whether it runs and its period.
class FakeTimer final : public BackupTimer {
public:
    void Start(int milliseconds) override
    {
        running = true;
        period = milliseconds;
    }
    void Stop() override { running = false; }
    bool IsRunning() const override { return running; }

    bool running = false;
    int period = 0;
};

} // namespace shiftex::test
