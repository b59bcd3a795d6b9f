#pragma once

// Hands the heap's free pages back to the system after a catalogue load.
// A load builds tens of megabytes of short-lived rows; after blocks that
// large the allocator raises its trim threshold and keeps what they freed
// for reuse, so without this the program would stay that much larger for
// the rest of the run.
void ReturnFreeHeapToSystem();
