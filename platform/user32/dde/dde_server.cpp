// The server side: DdeNameService, and the answers to other processes'
// connect, execute and disconnect requests, given through the callback.
#include "platform/ipc/channel.h"
#include "platform/ipc/published_entries.h"
#include "platform/ipc/wire.h"
#include "platform/user32/dde/dde_channel.h"
#include "platform/user32/dde/dde_objects.h"

#include <algorithm>
#include <cstdio>
#include <strings.h>

namespace layer {
namespace dde {
namespace {

constexpr const char* kServices = "services";

std::string ServiceKey(DWORD instance, const std::string& service) {
    uint32_t hash = 2166136261u;
    for (char c : service) hash = (hash ^ static_cast<unsigned char>(tolower(c))) * 16777619u;
    char key[24];
    snprintf(key, sizeof key, "%08x_%08x", instance, hash);
    return key;
}

bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

void WithdrawService(Object* instance, const std::string& service) {
    auto& names = instance->services;
    auto found = std::find_if(names.begin(), names.end(), [&](const std::string& name) { return SameName(name, service); });
    if (found == names.end()) return;
    WithdrawEntry(kServices, ServiceKey(instance->instance, *found));
    names.erase(found);
}

// String handles given to a callback live only for the call.
struct CallbackStrings {
    CallbackStrings(DWORD instance, const std::string& topicText, const std::string& serviceText)
        : topic(topicText.empty() ? nullptr : NewStringHandle(instance, topicText)),
          service(serviceText.empty() ? nullptr : NewStringHandle(instance, serviceText)) {}
    ~CallbackStrings() {
        RemoveObject(Raw(topic));
        RemoveObject(Raw(service));
    }
    HSZ topic;
    HSZ service;
};

HDDEDATA Notify(DWORD instance, UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2, HDDEDATA data) {
    Object* object = FindInstance(instance);
    if (!object || !object->callback) return nullptr;
    return object->callback(type, format, conversation, hsz1, hsz2, data, 0, 0);
}

bool Skips(DWORD instance, DWORD flag) {
    Object* object = FindInstance(instance);
    return !object || (object->command & flag) != 0;
}

Object* ServerConversation(uint64_t handle) {
    Object* conversation = FindObject(static_cast<uintptr_t>(handle), Kind::Conversation);
    return conversation && conversation->serverSide ? conversation : nullptr;
}

}  // namespace

std::string AnswerConnect(const std::string& body) {
    WireReader in(body);
    DWORD instance = in.U32();
    std::string service = in.Bytes();
    std::string topic = in.Bytes();
    Object* server = FindInstance(instance);
    WireWriter refused;
    refused.U64(0);
    if (!in.ok() || !server || !server->callback) return refused.text();
    const auto& names = server->services;
    if (std::none_of(names.begin(), names.end(), [&](const std::string& name) { return SameName(name, service); }))
        return refused.text();

    CallbackStrings strings(instance, topic, service);
    if (!Notify(instance, XTYP_CONNECT, 0, nullptr, strings.topic, strings.service, nullptr)) return refused.text();
    Object conversation(Kind::Conversation, instance);
    conversation.serverSide = true;
    conversation.service = service;
    conversation.topic = topic;
    uintptr_t handle = AddObject(std::move(conversation));
    if (handle && !Skips(instance, CBF_SKIP_CONNECT_CONFIRMS))
        Notify(instance, XTYP_CONNECT_CONFIRM, 0, reinterpret_cast<HCONV>(handle), strings.topic, strings.service,
               nullptr);
    return WireWriter().U64(handle).text();
}

std::string AnswerExecute(const std::string& body) {
    WireReader in(body);
    uint64_t handle = in.U64();
    UINT format = in.U32();
    std::string bytes = in.Bytes();
    Object* conversation = ServerConversation(handle);
    if (!in.ok() || !conversation) return WireWriter().U32(0).U32(0).text();
    DWORD instance = conversation->instance;
    Object data(Kind::Data, instance);
    data.text = std::move(bytes);
    uintptr_t dataHandle = AddObject(std::move(data));
    CallbackStrings strings(instance, conversation->topic, "");
    HDDEDATA result = Notify(instance, XTYP_EXECUTE, format, reinterpret_cast<HCONV>(static_cast<uintptr_t>(handle)),
                             strings.topic, nullptr, reinterpret_cast<HDDEDATA>(dataHandle));
    RemoveObject(dataHandle);  // the callback's data handle is valid only during the call
    uint32_t flags = static_cast<uint32_t>(Raw(result)) & (DDE_FACK | DDE_FBUSY);
    return WireWriter().U32(1).U32(flags).text();
}

std::string AnswerDisconnect(const std::string& body) {
    WireReader in(body);
    uint64_t handle = in.U64();
    Object* conversation = ServerConversation(handle);
    if (!in.ok() || !conversation) return std::string();
    DWORD instance = conversation->instance;
    if (!Skips(instance, CBF_SKIP_DISCONNECTS))
        Notify(instance, XTYP_DISCONNECT, 0, reinterpret_cast<HCONV>(static_cast<uintptr_t>(handle)), nullptr, nullptr,
               nullptr);
    RemoveObject(static_cast<uintptr_t>(handle));
    return std::string();
}

void WithdrawServices(DWORD instance) {
    Object* object = FindInstance(instance);
    while (object && !object->services.empty()) WithdrawService(object, object->services.back());
}

}  // namespace dde
}  // namespace layer

using namespace layer::dde;

HDDEDATA WINAPI DdeNameService(DWORD instance, HSZ service, HSZ, UINT command) {
    Object* object = FindInstance(instance);
    if (!object) return nullptr;
    if ((object->command & APPCMD_CLIENTONLY) || !object->callback) {
        SetLastDdeError(instance, DMLERR_DLL_USAGE);
        return nullptr;
    }
    Object* name = service ? FindObject(Raw(service), Kind::String) : nullptr;
    if ((service && !name) || (!service && (command & DNS_REGISTER))) {
        SetLastDdeError(instance, DMLERR_INVALIDPARAMETER);
        return nullptr;
    }
    if (command & DNS_UNREGISTER) {
        if (name) WithdrawService(object, name->text);
        else WithdrawServices(instance);
    }
    if (command & DNS_REGISTER) {
        WithdrawService(object, name->text);  // registering twice keeps one record
        if (!layer::EnsureListening() ||
            !layer::PublishEntry(kServices, ServiceKey(instance, name->text), {name->text, std::to_string(instance)})) {
            SetLastDdeError(instance, DMLERR_SYS_ERROR);
            return nullptr;
        }
        layer::SetRequestHandler(layer::RequestKind::DdeConnect, AnswerConnect);
        layer::SetRequestHandler(layer::RequestKind::DdeExecute, AnswerExecute);
        layer::SetRequestHandler(layer::RequestKind::DdeDisconnect, AnswerDisconnect);
        object->services.push_back(name->text);
    }
    return reinterpret_cast<HDDEDATA>(1);
}
