// The client side: DdeConnect, DdeClientTransaction (execute) and DdeDisconnect.
#include "platform/ipc/channel.h"
#include "platform/ipc/published_entries.h"
#include "platform/ipc/wire.h"
#include "platform/user32/dde/dde_channel.h"
#include "platform/user32/dde/dde_objects.h"

#include <cstdlib>
#include <strings.h>
#include <unistd.h>

namespace layer {
namespace dde {
namespace {

// A server that does not answer the connection request within this is passed over.
constexpr unsigned kConnectAnswerMs = 3000;

using LocalAnswer = std::string (*)(const std::string&);

// A server of this process is answered directly: its thread is the one waiting.
CallResult Ask(pid_t server, RequestKind kind, LocalAnswer local, const std::string& body, unsigned timeoutMs,
               std::string* answer) {
    if (server == getpid()) {
        *answer = local(body);
        return CallResult::Answered;
    }
    return CallProcess(server, kind, body, timeoutMs, answer);
}

Object* ClientConversation(HCONV handle) {
    Object* conversation = FindObject(Raw(handle), Kind::Conversation);
    return conversation && !conversation->serverSide ? conversation : nullptr;
}

}  // namespace

void EndConversation(uintptr_t handle) {
    Object* conversation = FindObject(handle, Kind::Conversation);
    if (!conversation) return;
    if (!conversation->serverSide) {
        std::string body = WireWriter().U64(conversation->peerConversation).text();
        if (conversation->peer == getpid()) AnswerDisconnect(body);
        else NotifyProcess(conversation->peer, RequestKind::DdeDisconnect, body);
    }
    RemoveObject(handle);
}

}  // namespace dde
}  // namespace layer

using namespace layer;
using namespace layer::dde;

HCONV WINAPI DdeConnect(DWORD instance, HSZ service, HSZ topic, void*) {
    if (!FindInstance(instance)) return nullptr;
    std::string serviceText = StringText(service);
    std::string topicText = StringText(topic);
    // A null service asks every server.
    for (const PublishedEntry& entry : ListEntries("services")) {
        if (entry.fields.size() < 2) continue;
        if (service && strcasecmp(entry.fields[0].c_str(), serviceText.c_str()) != 0) continue;
        DWORD serverInstance = static_cast<DWORD>(strtoul(entry.fields[1].c_str(), nullptr, 10));
        std::string body = WireWriter().U32(serverInstance).Bytes(entry.fields[0]).Bytes(topicText).text();
        std::string answer;
        if (Ask(entry.pid, RequestKind::DdeConnect, AnswerConnect, body, kConnectAnswerMs, &answer) !=
            CallResult::Answered)
            continue;
        uint64_t peerConversation = WireReader(answer).U64();
        if (!peerConversation || !FindInstance(instance)) continue;
        Object conversation(Kind::Conversation, instance);
        conversation.peer = entry.pid;
        conversation.peerConversation = peerConversation;
        conversation.service = entry.fields[0];
        conversation.topic = topicText;
        return reinterpret_cast<HCONV>(AddObject(std::move(conversation)));
    }
    SetLastDdeError(instance, DMLERR_NO_CONV_ESTABLISHED);
    return nullptr;
}

HDDEDATA WINAPI DdeClientTransaction(LPBYTE data, DWORD size, HCONV handle, HSZ, UINT format, UINT type,
                                     DWORD timeout, LPDWORD result) {
    Object* conversation = ClientConversation(handle);
    if (!conversation) return nullptr;
    DWORD instance = conversation->instance;
    // Only synchronous execute transactions are offered.
    if (type != XTYP_EXECUTE || timeout == TIMEOUT_ASYNC || (!data && size) || size > kMaxRequestBody - 64) {
        SetLastDdeError(instance, DMLERR_INVALIDPARAMETER);
        return nullptr;
    }
    std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
    std::string body = WireWriter().U64(conversation->peerConversation).U32(format).Bytes(bytes).text();
    std::string answer;
    CallResult call = Ask(conversation->peer, RequestKind::DdeExecute, AnswerExecute, body, timeout, &answer);
    WireReader in(answer);
    bool known = call == CallResult::Answered && in.U32() == 1;
    uint32_t flags = in.U32();
    if (call == CallResult::TimedOut) {
        SetLastDdeError(instance, DMLERR_EXECACKTIMEOUT);
        return nullptr;
    }
    if (!known || !in.ok()) {
        SetLastDdeError(instance, DMLERR_NO_CONV_ESTABLISHED);
        return nullptr;
    }
    if (result) *result = flags;
    if (flags & DDE_FACK) return reinterpret_cast<HDDEDATA>(TRUE);
    SetLastDdeError(instance, (flags & DDE_FBUSY) ? DMLERR_BUSY : DMLERR_NOTPROCESSED);
    return nullptr;
}

BOOL WINAPI DdeDisconnect(HCONV handle) {
    if (!FindObject(Raw(handle), Kind::Conversation)) return FALSE;
    EndConversation(Raw(handle));
    return TRUE;
}
