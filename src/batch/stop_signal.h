// SIGINT and SIGTERM during a run: caught, they end the run the way a stop does (the
// finished lines kept, --resume continues), and the exit status names the signal.
#pragma once

namespace batch {

// Catches both signals from now on for the life of the process; clears a signal seen
// before, so that each run starts unstopped.
void CatchStopSignals();

// The signal caught since, or 0.
int StopSignal();

}  // namespace batch
