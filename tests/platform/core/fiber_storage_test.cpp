// Fiber-local slots: the values are the session's, and the slot's callback gets each one still
// set when the session ends or the slot is freed; without a session nothing is kept.
#include <gtest/gtest.h>

#include <vector>

#include "platform/host/headless/headless_host.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "platform/win32.h"

namespace platform {
namespace {

std::vector<PVOID> g_freed;
void WINAPI Free(PVOID value) {
    g_freed.push_back(value);
}

struct LiveSession {
    headless::HeadlessHost host;
    ResourceCatalogue resources;
    Session session{host, resources, "/opt/zandrofel"};
};

TEST(FiberStorage, ValuesLastAsLongAsTheSessionAndTheCallbackFreesThem) {
    g_freed.clear();
    int first = 1, second = 2, third = 3;
    DWORD slot = FlsAlloc(&Free);
    ASSERT_NE(slot, FLS_OUT_OF_INDEXES);
    EXPECT_FALSE(FlsSetValue(slot, &first)) << "no session to keep it";
    EXPECT_EQ(FlsGetValue(slot), nullptr);
    {
        LiveSession live;
        EXPECT_EQ(FlsGetValue(slot), nullptr);
        ASSERT_TRUE(FlsSetValue(slot, &first));
        ASSERT_TRUE(FlsSetValue(slot, &second));  // replacing does not free
        EXPECT_EQ(FlsGetValue(slot), &second);
        EXPECT_TRUE(g_freed.empty());
    }
    EXPECT_EQ(g_freed, std::vector<PVOID>{&second});
    {
        LiveSession live;
        EXPECT_EQ(FlsGetValue(slot), nullptr) << "a new session starts empty";
        ASSERT_TRUE(FlsSetValue(slot, &third));
        EXPECT_TRUE(FlsFree(slot));
        EXPECT_EQ(g_freed, (std::vector<PVOID>{&second, &third}));
        EXPECT_EQ(FlsGetValue(slot), nullptr);
        EXPECT_FALSE(FlsSetValue(slot, &first)) << "a freed slot keeps nothing";
        EXPECT_FALSE(FlsFree(slot));
    }
    EXPECT_EQ(g_freed.size(), 2u);
}

}  // namespace
}  // namespace platform
