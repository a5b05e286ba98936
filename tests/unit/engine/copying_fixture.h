// An engine test that copies: the installer state names a source folder, which exists, and a
// destination, as the dialog leaves them when copying begins.
#pragma once

#include "engine_fixture.h"

#include <cstring>

constexpr char kSource[] = "C:\\Source\\";
constexpr char kDest[] = "C:\\Program Files\\Vintrel\\Skyledger\\";

class CopyingTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        std::strcpy(installerState.sourceFolder, kSource);
        std::strcpy(installerState.destFolder, kDest);
        MakeFolders("C:\\Source");
    }
};
