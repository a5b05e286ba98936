// The Program Manager for the Linux layer: answers DDE service and topic
// "PROGMAN" for the processes of one prefix, keeping groups as Start Menu folders.
#include "platform/user32/event_sources.h"
#include "platform/win32.h"
#include "tools/progman/progman_session.h"
#include "tools/progman/start_menu_groups.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// Larger executes are refused unread: no client of ours sends more.
constexpr DWORD kMaxExecuteBytes = 16384;

ProgmanSession session;
HSZ progmanName;
volatile sig_atomic_t stopping = 0;

bool IsProgman(HSZ hsz) { return DdeCmpStringHandles(hsz, progmanName) == 0; }

HDDEDATA Flag(UINT flag) { return reinterpret_cast<HDDEDATA>(static_cast<uintptr_t>(flag)); }

HDDEDATA CALLBACK ProgmanCallback(UINT type, UINT format, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR,
                                  ULONG_PTR) {
    switch (type) {
    case XTYP_CONNECT:
        return Flag(IsProgman(hsz1) && IsProgman(hsz2));
    case XTYP_EXECUTE: {
        DWORD size = DdeGetData(data, nullptr, 0, 0);
        if (format != CF_TEXT || size > kMaxExecuteBytes) return Flag(DDE_FNOTPROCESSED);
        std::string text(size, '\0');
        DdeGetData(data, reinterpret_cast<LPBYTE>(&text[0]), size, 0);
        text.resize(strnlen(text.c_str(), size));  // the command ends at its first NUL
        return Flag(ExecuteProgmanText(&session, text) ? DDE_FACK : DDE_FNOTPROCESSED);
    }
    default:
        return nullptr;
    }
}

bool AnotherServerAnswers(DWORD instance) {
    HCONV conversation = DdeConnect(instance, progmanName, progmanName, nullptr);
    if (conversation) DdeDisconnect(conversation);
    return conversation != nullptr;
}

void Stop(int) { stopping = 1; }

}  // namespace

int main(int argc, char** argv) {
    struct sigaction action = {};
    action.sa_handler = Stop;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    // Started for one program's run (a test), it ends with that program.
    if (argc > 1 && strcmp(argv[1], "--with-parent") == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() == 1) return 0;
    }

    DWORD instance = 0;
    if (DdeInitializeA(&instance, ProgmanCallback, CBF_FAIL_POKES | CBF_FAIL_REQUESTS | CBF_FAIL_ADVISES, 0) !=
        DMLERR_NO_ERROR) {
        fprintf(stderr, "progman: DDE did not start\n");
        return 1;
    }
    progmanName = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    if (AnotherServerAnswers(instance)) {
        fprintf(stderr, "progman: a Program Manager already serves this prefix\n");
        DdeUninitialize(instance);
        return 1;
    }
    session.programs = StartMenuProgramsFolder();
    if (!DdeNameService(instance, progmanName, nullptr, DNS_REGISTER)) {
        fprintf(stderr, "progman: cannot register the PROGMAN service\n");
        DdeUninitialize(instance);
        return 1;
    }
    printf("progman: serving %s\n", session.programs.c_str());
    fflush(stdout);
    while (!stopping) layer::PumpEventSources(500);
    DdeUninitialize(instance);
    return 0;
}
