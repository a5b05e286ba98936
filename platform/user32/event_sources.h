// Sources of work besides the message queue (the display's input, messages
// from other processes). A thread waiting for messages waits on all of them.
#pragma once

namespace layer {

// onReady runs on the GUI thread when fd is readable; it may post or send messages.
void AddEventSource(int fd, void (*onReady)());
void RemoveEventSource(int fd);
// Waits up to timeoutMs (-1: no limit) for any source and runs the ready ones.
// Returns false when the wait timed out with nothing ready.
bool PumpEventSources(int timeoutMs);

}  // namespace layer
