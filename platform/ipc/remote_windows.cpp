// Top-level windows seen and reached across processes.
#include "platform/ipc/ipc.h"

#include "platform/ipc/channel.h"
#include "platform/ipc/published_entries.h"
#include "platform/ipc/wire.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <unistd.h>

namespace layer {
namespace {

constexpr const char* kWindows = "windows";

uint64_t HandleValue(HWND hwnd) { return reinterpret_cast<uintptr_t>(hwnd); }
pid_t OwnerOf(HWND hwnd) { return static_cast<pid_t>(HandleValue(hwnd) >> 32); }

std::string KeyFor(HWND hwnd) {
    char key[17];
    snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(HandleValue(hwnd)));
    return key;
}

// Pointer arguments cannot cross; only the text messages are carried by value.
bool CarriedByValue(UINT message) {
    switch (message) {
    case WM_NULL: case WM_CLOSE: case WM_QUIT: case WM_ENABLE: case WM_SHOWWINDOW: case WM_ACTIVATEAPP:
    case WM_ENDSESSION: case WM_GETTEXTLENGTH: case WM_COMMAND: case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR:
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case BM_GETCHECK: case BM_SETCHECK: case BM_GETSTATE: case BM_SETSTATE: case BM_CLICK:
        return true;
    default:
        return message >= WM_USER;
    }
}

bool IsTextMessage(UINT message) { return message == WM_SETTEXT || message == WM_GETTEXT; }

bool OursAndAlive(HWND hwnd) { return OwnerOf(hwnd) == getpid() && IsWindow(hwnd); }

struct CarriedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The message fields at the head of a request, as MessageBody writes them.
CarriedMessage ReadMessage(WireReader& in) {
    // Braces evaluate in order, so the fields are read as they were written.
    return CarriedMessage{reinterpret_cast<HWND>(static_cast<uintptr_t>(in.U64())), in.U32(), in.U64(),
                          static_cast<LPARAM>(in.U64())};
}

std::string AnswerSend(const std::string& body) {
    WireReader in(body);
    const auto [hwnd, message, wParam, lParam] = ReadMessage(in);
    std::string text = in.Bytes();
    WireWriter out;
    if (!in.ok() || !OursAndAlive(hwnd) || !(CarriedByValue(message) || IsTextMessage(message)))
        return out.U32(0).text();
    if (message == WM_SETTEXT) {
        LRESULT result = SendMessageA(hwnd, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return out.U32(1).U64(result).Bytes("").text();
    }
    if (message == WM_GETTEXT) {
        // Room for the answer's own fields within one record.
        std::string buffer(std::min<size_t>(wParam, kMaxRequestBody - 64), '\0');
        LRESULT result = buffer.empty() ? 0 : SendMessageA(hwnd, message, buffer.size(), reinterpret_cast<LPARAM>(&buffer[0]));
        return out.U32(1).U64(result).Bytes(buffer.c_str()).text();
    }
    return out.U32(1).U64(SendMessageA(hwnd, message, wParam, lParam)).Bytes("").text();
}

std::string AnswerPost(const std::string& body) {
    WireReader in(body);
    const auto [hwnd, message, wParam, lParam] = ReadMessage(in);
    bool posted = in.ok() && OursAndAlive(hwnd) && CarriedByValue(message) && PostMessageA(hwnd, message, wParam, lParam);
    return WireWriter().U32(posted).text();
}

std::string MessageBody(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, const std::string& text) {
    return WireWriter().U64(HandleValue(hwnd)).U32(message).U64(wParam).U64(static_cast<uint64_t>(lParam))
        .Bytes(text).text();
}

bool Matches(const char* wanted, const std::string& actual) {
    // An atom (a small integer in place of a class name) names no class of another process.
    if (!wanted) return true;
    return !IS_INTRESOURCE(wanted) && strcasecmp(wanted, actual.c_str()) == 0;
}

}  // namespace

void IpcPublishWindow(HWND hwnd, const char* className, const char* title) {
    if (!EnsureListening()) return;
    SetRequestHandler(RequestKind::SendMessage, AnswerSend);
    SetRequestHandler(RequestKind::PostMessage, AnswerPost);
    const char* name = className && !IS_INTRESOURCE(className) ? className : "";
    PublishEntry(kWindows, KeyFor(hwnd), {name, title ? title : ""});
}

void IpcWithdrawWindow(HWND hwnd) { WithdrawEntry(kWindows, KeyFor(hwnd)); }

HWND IpcFindRemoteWindow(const char* className, const char* title) {
    for (const PublishedEntry& entry : ListEntries(kWindows)) {
        if (entry.pid == getpid() || entry.fields.size() < 2) continue;
        HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(entry.key.c_str(), nullptr, 16)));
        if (OwnerOf(hwnd) != entry.pid) continue;
        if (Matches(className, entry.fields[0]) && Matches(title, entry.fields[1])) return hwnd;
    }
    return nullptr;
}

bool IpcIsRemoteWindow(HWND hwnd) {
    pid_t owner = OwnerOf(hwnd);
    return owner != 0 && owner != getpid();
}

bool IpcRemoteWindowExists(HWND hwnd) {
    if (!IpcIsRemoteWindow(hwnd)) return false;
    std::string key = KeyFor(hwnd);
    for (const PublishedEntry& entry : ListEntries(kWindows))
        if (entry.pid == OwnerOf(hwnd) && entry.key == key) return true;
    return false;
}

bool IpcSendRemote(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned timeoutMs, LRESULT* result) {
    if (!CarriedByValue(message) && !IsTextMessage(message)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::string text;
    if (message == WM_SETTEXT && lParam) {
        const char* source = reinterpret_cast<const char*>(lParam);
        text.assign(source, strnlen(source, kMaxRequestBody / 2));
    }
    std::string answer;
    CallResult call = CallProcess(OwnerOf(hwnd), RequestKind::SendMessage,
                                  MessageBody(hwnd, message, wParam, lParam, text), timeoutMs, &answer);
    if (call == CallResult::TimedOut) {
        SetLastError(ERROR_TIMEOUT);
        return false;
    }
    WireReader in(answer);
    bool handled = call == CallResult::Answered && in.U32() == 1;
    LRESULT value = static_cast<LRESULT>(in.U64());
    std::string returned = in.Bytes();
    if (!handled || !in.ok()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    if (message == WM_GETTEXT && wParam > 0 && lParam) {
        size_t length = returned.size() < wParam - 1 ? returned.size() : wParam - 1;
        memcpy(reinterpret_cast<char*>(lParam), returned.data(), length);
        reinterpret_cast<char*>(lParam)[length] = '\0';
        value = static_cast<LRESULT>(length);
    }
    if (result) *result = value;
    return true;
}

bool IpcPostRemote(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!CarriedByValue(message)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!NotifyProcess(OwnerOf(hwnd), RequestKind::PostMessage, MessageBody(hwnd, message, wParam, lParam, ""))) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    return true;
}

}  // namespace layer
