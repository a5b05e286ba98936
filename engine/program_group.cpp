#include "engine/program_group.h"

#include "app/installer_state.h"
#include "engine/group_commands.h"
#include "platform/win32.h"

namespace {

// Alive only during one call of AddProgramGroup.
DWORD ddeInstance;
HSZ ddeService;
HSZ ddeTopic;
HCONV ddeConversation;

const DWORD kExecuteTimeoutMs = 1000;

}  // namespace

int AddProgramGroup(int startupItem) {
    ComposeGroupCommands(InstallManifest, MANIFEST_ROWS, startupItem);

    ddeInstance = 0;
    if (DdeInitializeA(&ddeInstance, NULL, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return 0;
    ddeService = DdeCreateStringHandleA(ddeInstance, "PROGMAN", CP_WINANSI);
    ddeTopic = DdeCreateStringHandleA(ddeInstance, "PROGMAN", CP_WINANSI);
    ddeConversation = DdeConnect(ddeInstance, ddeService, ddeTopic, NULL);
    if (!ddeConversation) {
        DdeUninitialize(ddeInstance);
        return 0;
    }
    for (int i = 0; i < installerState.groupCommandCount; ++i)
        DdeClientTransaction(reinterpret_cast<LPBYTE>(installerState.groupCommands[i]), GROUP_COMMAND_SIZE,
                             ddeConversation, NULL, CF_TEXT, XTYP_EXECUTE, kExecuteTimeoutMs, NULL);
    DdeFreeStringHandle(ddeInstance, ddeTopic);
    DdeUninitialize(ddeInstance);
    return 1;
}
