#include <gtest/gtest.h>
#include <windows.h>
TEST(Smoke, LoadsDll) {
    HMODULE m = LoadLibraryA("gen_qlv.dll");
    ASSERT_NE(m, nullptr);
    EXPECT_NE(GetProcAddress(m, "winampGetGeneralPurposePlugin"), nullptr);
    FreeLibrary(m);
}
