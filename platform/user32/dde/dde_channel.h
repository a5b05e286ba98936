// How DDE rides on the channel between processes: the server side answers
// connect, execute and disconnect requests (also called directly when client
// and server share a process); the client side ends conversations.
#pragma once

#include "platform/win32.h"

#include <cstdint>
#include <string>

namespace layer {
namespace dde {

// Request bodies:   connect {u32 instance, bytes service, bytes topic} -> {u64 conversation, 0 refused}
//                   execute {u64 conversation, u32 format, bytes data} -> {u32 known, u32 DDE_F* flags}
//                   disconnect {u64 conversation} -> {}
std::string AnswerConnect(const std::string& body);
std::string AnswerExecute(const std::string& body);
std::string AnswerDisconnect(const std::string& body);

// Tells the other side and forgets the conversation.
void EndConversation(uintptr_t conversation);
// Unregisters every service name of an instance.
void WithdrawServices(DWORD instance);

}  // namespace dde
}  // namespace layer
