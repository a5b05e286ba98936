// The DDE library's objects: instances, string handles, conversations and
// data handles, all behind one checked handle table so that a handle of one
// kind, a stale one or one of another instance is refused.
#pragma once

#include "platform/win32.h"

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace layer {
namespace dde {

enum class Kind { Instance, String, Conversation, Data };

struct Object {
    Object(Kind kind, DWORD instance) : kind(kind), instance(instance) {}

    Kind kind;
    DWORD instance;  // the owning instance (an instance owns itself)
    // Instance
    PFNCALLBACK callback = nullptr;
    DWORD command = 0;
    UINT lastError = DMLERR_NO_ERROR;
    std::vector<std::string> services;  // names registered with DdeNameService
    // String: its text; Data: its bytes
    std::string text;
    // Conversation: the other side's process and conversation handle
    bool serverSide = false;
    pid_t peer = 0;
    uint64_t peerConversation = 0;
    std::string service, topic;
};

uintptr_t AddObject(Object object);
// The live object of this kind behind the handle, or nullptr.
Object* FindObject(uintptr_t handle, Kind kind);
void RemoveObject(uintptr_t handle);
// Every live handle of an instance (the instance itself excluded), oldest first.
std::vector<uintptr_t> HandlesOf(DWORD instance, Kind kind);

Object* FindInstance(DWORD instance);
// Records the error DdeGetLastError reports next; ignored for an unknown instance.
void SetLastDdeError(DWORD instance, UINT error);

HSZ NewStringHandle(DWORD instance, const std::string& text);
// The text of a string handle, "" for a null or unknown one.
std::string StringText(HSZ hsz);

inline uintptr_t Raw(const void* handle) { return reinterpret_cast<uintptr_t>(handle); }

}  // namespace dde
}  // namespace layer
