// The DDE management library's own results: string handles, instances and
// the error codes a client reads back, with no server involved.
#include "conformance/check.h"
#include "platform/win32.h"

#include <string>

CONFORMANCE_TEST(DdeStringHandlesCompareWithoutCaseAndRefuseOverlongText) {
    DWORD instance = 0;
    CHECK_EQ(DdeInitializeA(&instance, NULL, APPCMD_CLIENTONLY, 0), DMLERR_NO_ERROR);
    HSZ upper = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    HSZ lower = DdeCreateStringHandleA(instance, "progman", CP_WINANSI);
    HSZ other = DdeCreateStringHandleA(instance, "Shell", CP_WINANSI);
    CHECK(upper != NULL);
    CHECK_EQ(DdeCmpStringHandles(upper, lower), 0);
    CHECK(DdeCmpStringHandles(upper, other) != 0);
    char text[5] = "";
    CHECK_EQ(DdeQueryStringA(instance, upper, NULL, 0, CP_WINANSI), 7u);
    CHECK_EQ(DdeQueryStringA(instance, upper, text, sizeof text, CP_WINANSI), 4u);
    CHECK_EQ(static_cast<const char*>(text), "PROG");
    CHECK(DdeCreateStringHandleA(instance, std::string(256, 'x').c_str(), CP_WINANSI) == NULL);
    CHECK(DdeFreeStringHandle(instance, other));
    CHECK(DdeUninitialize(instance));
}

CONFORMANCE_TEST(DdeConnectWithoutAServerReportsNoConversation) {
    DWORD instance = 0;
    CHECK_EQ(DdeInitializeA(&instance, NULL, APPCMD_CLIENTONLY, 0), DMLERR_NO_ERROR);
    HSZ service = DdeCreateStringHandleA(instance, "T98NoSuchService", CP_WINANSI);
    CHECK(DdeConnect(instance, service, service, NULL) == NULL);
    CHECK_EQ(DdeGetLastError(instance), DMLERR_NO_CONV_ESTABLISHED);
    CHECK_EQ(DdeGetLastError(instance), DMLERR_NO_ERROR);  // read once
    CHECK(DdeUninitialize(instance));
    CHECK(!DdeUninitialize(instance));
}
