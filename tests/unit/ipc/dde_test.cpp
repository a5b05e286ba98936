#include "platform/user32/event_sources.h"
#include "platform/win32.h"
#include "unit/ipc/ipc_fixture.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <strings.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A server of this process: it records what it is given and refuses texts that ask for it.
struct Recorder {
    HDDEDATA lastData = nullptr;
    std::vector<UINT> types;
    std::vector<std::string> executes;
    std::vector<DWORD> sizes;
};
Recorder recorder;
DWORD serverInstance;

HDDEDATA CALLBACK RecordingServer(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    recorder.types.push_back(type);
    if (type == XTYP_CONNECT) {
        char name[16] = {};
        DdeQueryStringA(serverInstance, topic, name, sizeof name, CP_WINANSI);
        return reinterpret_cast<HDDEDATA>(static_cast<uintptr_t>(strcasecmp(name, "PROGMAN") == 0));
    }
    if (type != XTYP_EXECUTE) return nullptr;
    recorder.lastData = data;
    DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::string text(size, '\0');
    DdeGetData(data, reinterpret_cast<LPBYTE>(&text[0]), size, 0);
    recorder.sizes.push_back(size);
    recorder.executes.push_back(text.c_str());
    bool refuse = text.find("refuse") != std::string::npos;
    return reinterpret_cast<HDDEDATA>(static_cast<uintptr_t>(refuse ? DDE_FNOTPROCESSED : DDE_FACK));
}

class DdeTest : public IpcTest {
protected:
    void SetUp() override {
        IpcTest::SetUp();
        recorder = Recorder{};
        client_ = 0;
        ASSERT_EQ(DdeInitializeA(&client_, nullptr, APPCMD_CLIENTONLY, 0), DMLERR_NO_ERROR);
        progman_ = DdeCreateStringHandleA(client_, "PROGMAN", CP_WINANSI);
    }
    void TearDown() override {
        DdeUninitialize(client_);
        if (serverInstance) DdeUninitialize(serverInstance);
        serverInstance = 0;
        IpcTest::TearDown();
    }

    void StartLocalServer(const char* service) {
        serverInstance = 0;
        ASSERT_EQ(DdeInitializeA(&serverInstance, RecordingServer, 0, 0), DMLERR_NO_ERROR);
        HSZ name = DdeCreateStringHandleA(serverInstance, service, CP_WINANSI);
        ASSERT_TRUE(DdeNameService(serverInstance, name, nullptr, DNS_REGISTER));
    }

    HDDEDATA Execute(HCONV conversation, const char* text, DWORD* result, DWORD timeout = 1000) {
        char slot[512] = {};
        strncpy(slot, text, sizeof slot - 1);
        return DdeClientTransaction(reinterpret_cast<LPBYTE>(slot), sizeof slot, conversation, nullptr, CF_TEXT,
                                    XTYP_EXECUTE, timeout, result);
    }

    DWORD client_ = 0;
    HSZ progman_ = nullptr;
};

TEST_F(DdeTest, ExecuteReachesTheServerWithTheWholeSlotAndItsAnswer) {
    StartLocalServer("progman");  // names match without regard to case
    HCONV conversation = DdeConnect(client_, progman_, progman_, nullptr);
    ASSERT_NE(conversation, nullptr);
    DWORD result = 0xdead;
    EXPECT_NE(Execute(conversation, "[CreateGroup(G)]", &result), nullptr);
    EXPECT_EQ(result, static_cast<DWORD>(DDE_FACK));
    EXPECT_EQ(Execute(conversation, "[refuse]", &result), nullptr);
    EXPECT_EQ(result, static_cast<DWORD>(DDE_FNOTPROCESSED));
    EXPECT_EQ(DdeGetLastError(client_), static_cast<UINT>(DMLERR_NOTPROCESSED));
    EXPECT_EQ(DdeGetLastError(client_), static_cast<UINT>(DMLERR_NO_ERROR));  // read once
    EXPECT_EQ(recorder.executes, (std::vector<std::string>{"[CreateGroup(G)]", "[refuse]"}));
    EXPECT_EQ(recorder.sizes, (std::vector<DWORD>{512, 512}));
    // The callback's data handle lived only for the call; a handle of another kind is no data handle.
    BYTE byte;
    EXPECT_EQ(DdeGetData(recorder.lastData, &byte, 1, 0), 0u);
    EXPECT_FALSE(DdeFreeDataHandle(recorder.lastData));
    EXPECT_EQ(DdeGetData(reinterpret_cast<HDDEDATA>(progman_), &byte, 1, 0), 0u);
    EXPECT_FALSE(DdeFreeDataHandle(reinterpret_cast<HDDEDATA>(conversation)));

    EXPECT_TRUE(DdeDisconnect(conversation));
    EXPECT_EQ(recorder.types.back(), static_cast<UINT>(XTYP_DISCONNECT));
    EXPECT_EQ(Execute(conversation, "[CreateGroup(G)]", &result), nullptr);  // a stale conversation
    EXPECT_FALSE(DdeDisconnect(conversation));
}

TEST_F(DdeTest, NoConversationWithoutAServerForTheServiceAndTopic) {
    EXPECT_EQ(DdeConnect(client_, progman_, progman_, nullptr), nullptr);
    EXPECT_EQ(DdeGetLastError(client_), static_cast<UINT>(DMLERR_NO_CONV_ESTABLISHED));
    StartLocalServer("PROGMAN");
    HSZ other = DdeCreateStringHandleA(client_, "OTHER", CP_WINANSI);
    EXPECT_EQ(DdeConnect(client_, other, progman_, nullptr), nullptr);  // unknown service
    EXPECT_EQ(DdeConnect(client_, progman_, other, nullptr), nullptr);  // topic refused by the server
    EXPECT_NE(DdeConnect(client_, progman_, progman_, nullptr), nullptr);
}

TEST_F(DdeTest, StringHandlesCompareWithoutCaseAndRefuseBadInput) {
    HSZ lower = DdeCreateStringHandleA(client_, "progman", CP_WINANSI);
    HSZ other = DdeCreateStringHandleA(client_, "Shell", CP_WINANSI);
    EXPECT_EQ(DdeCmpStringHandles(lower, progman_), 0);
    EXPECT_NE(DdeCmpStringHandles(other, progman_), 0);
    char text[5];
    EXPECT_EQ(DdeQueryStringA(client_, progman_, nullptr, 0, CP_WINANSI), 7u);
    EXPECT_EQ(DdeQueryStringA(client_, progman_, text, sizeof text, CP_WINANSI), 4u);
    EXPECT_STREQ(text, "PROG");

    EXPECT_EQ(DdeCreateStringHandleA(client_, std::string(256, 'x').c_str(), CP_WINANSI), nullptr);
    EXPECT_EQ(DdeGetLastError(client_), static_cast<UINT>(DMLERR_INVALIDPARAMETER));
    EXPECT_EQ(DdeCreateStringHandleA(client_, nullptr, CP_WINANSI), nullptr);
    EXPECT_TRUE(DdeFreeStringHandle(client_, lower));
    EXPECT_FALSE(DdeFreeStringHandle(client_, lower));  // freed twice
    EXPECT_EQ(DdeQueryStringA(client_, lower, text, sizeof text, CP_WINANSI), 0u);
}

TEST_F(DdeTest, HandlesOfAnEndedInstanceAreRefused) {
    DWORD instance = 0;
    ASSERT_EQ(DdeInitializeA(&instance, nullptr, APPCMD_CLIENTONLY, 0), DMLERR_NO_ERROR);
    HSZ name = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    EXPECT_EQ(DdeNameService(instance, name, nullptr, DNS_REGISTER), nullptr);  // a client cannot serve
    EXPECT_EQ(DdeGetLastError(instance), static_cast<UINT>(DMLERR_DLL_USAGE));
    EXPECT_TRUE(DdeUninitialize(instance));
    EXPECT_FALSE(DdeUninitialize(instance));
    EXPECT_EQ(DdeCreateStringHandleA(instance, "x", CP_WINANSI), nullptr);
    EXPECT_EQ(DdeQueryStringA(instance, name, nullptr, 0, CP_WINANSI), 0u);
    EXPECT_EQ(DdeGetLastError(instance), static_cast<UINT>(DMLERR_DLL_NOT_INITIALIZED));
    EXPECT_EQ(DdeConnect(instance, name, name, nullptr), nullptr);
    EXPECT_EQ(DdeInitializeA(nullptr, nullptr, APPCMD_CLIENTONLY, 0), static_cast<UINT>(DMLERR_INVALIDPARAMETER));
    DWORD notAnInstance = 12345;  // DdeInitializeA wants 0 for a new instance
    EXPECT_EQ(DdeInitializeA(&notAnInstance, nullptr, APPCMD_CLIENTONLY, 0), static_cast<UINT>(DMLERR_INVALIDPARAMETER));
}

// A server in another process; a hung one never returns from its execute.
std::string childLog;
bool childHangs;

HDDEDATA CALLBACK ChildServer(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    if (type == XTYP_CONNECT) return reinterpret_cast<HDDEDATA>(1);
    if (type != XTYP_EXECUTE) return nullptr;
    if (childHangs) pause();
    char text[512] = {};
    DdeGetData(data, reinterpret_cast<LPBYTE>(text), sizeof text - 1, 0);
    std::ofstream(childLog, std::ios::app) << text << "\n";
    return reinterpret_cast<HDDEDATA>(static_cast<uintptr_t>(DDE_FACK));
}

[[noreturn]] void ServeInChild(const std::string& log, bool hangs) {
    childLog = log;
    childHangs = hangs;
    DWORD instance = 0;
    if (DdeInitializeA(&instance, ChildServer, 0, 0) != DMLERR_NO_ERROR) _exit(1);
    HSZ name = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    if (!DdeNameService(instance, name, nullptr, DNS_REGISTER)) _exit(2);
    std::ofstream(log + ".ready") << "ready";
    for (;;) layer::PumpEventSources(-1);
}

TEST_F(DdeTest, AServerInAnotherProcessAnswersAndAHungOneTimesOut) {
    for (bool hangs : {false, true}) {
        std::string log = prefix_ + (hangs ? "/hangs.log" : "/serves.log");
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) ServeInChild(log, hangs);
        ASSERT_TRUE(testing_ipc::WaitUntil([&] { return std::ifstream(log + ".ready").good(); }));
        HCONV conversation = DdeConnect(client_, progman_, progman_, nullptr);
        ASSERT_NE(conversation, nullptr);
        DWORD result = 0;
        auto start = std::chrono::steady_clock::now();
        HDDEDATA answer = Execute(conversation, "[CreateGroup(Far)]", &result, 300);
        auto waited = std::chrono::steady_clock::now() - start;
        if (hangs) {
            EXPECT_EQ(answer, nullptr);
            EXPECT_EQ(DdeGetLastError(client_), static_cast<UINT>(DMLERR_EXECACKTIMEOUT));
            EXPECT_LT(waited, std::chrono::seconds(2));
        } else {
            EXPECT_NE(answer, nullptr);
            EXPECT_EQ(result, static_cast<DWORD>(DDE_FACK));
            std::ifstream in(log);
            std::string line;
            std::getline(in, line);
            EXPECT_EQ(line, "[CreateGroup(Far)]");
        }
        DdeDisconnect(conversation);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
}

}  // namespace
