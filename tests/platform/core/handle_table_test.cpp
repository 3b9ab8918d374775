#include "platform/core/handle_table.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct Tracked : HandleTable::Object {
    explicit Tracked(int* deaths) : deaths(deaths) {}
    ~Tracked() override { ++*deaths; }
    int* deaths;
};

TEST(HandleTable, RefusesStaleAndWrongKindHandles) {
    HandleTable table;
    int deaths = 0;
    auto brush = table.Add(ObjectKind::kBrush, std::make_unique<Tracked>(&deaths));
    EXPECT_NE(brush, 0u);
    EXPECT_NE(table.Find(brush, ObjectKind::kBrush), nullptr);
    EXPECT_EQ(table.Find(brush, ObjectKind::kPen), nullptr);
    EXPECT_EQ(table.Remove(brush, ObjectKind::kPen), nullptr);
    EXPECT_EQ(table.LiveCount(ObjectKind::kBrush), 1);

    table.Remove(brush, ObjectKind::kBrush);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(table.LiveCount(ObjectKind::kBrush), 0);
    EXPECT_EQ(table.Find(brush, ObjectKind::kBrush), nullptr);

    // The slot is reused with a new generation: the old handle stays dead.
    auto pen = table.Add(ObjectKind::kPen, std::make_unique<Tracked>(&deaths));
    EXPECT_NE(pen, brush);
    EXPECT_EQ(table.Find(brush, ObjectKind::kPen), nullptr);
    EXPECT_EQ(table.Find(0, ObjectKind::kPen), nullptr);
    EXPECT_EQ(table.Find(0x7FFFFFFF, ObjectKind::kPen), nullptr);
}

TEST(HandleTable, StockObjectsAreNeitherCountedNorRemoved) {
    HandleTable table;
    int deaths = 0;
    auto stock = table.Add(ObjectKind::kPen, std::make_unique<Tracked>(&deaths),
                           HandleTable::Lifetime::kStock);
    EXPECT_TRUE(table.IsStock(stock));
    EXPECT_EQ(table.LiveCount(ObjectKind::kPen), 0);
    EXPECT_EQ(table.Remove(stock, ObjectKind::kPen), nullptr);
    EXPECT_NE(table.Find(stock, ObjectKind::kPen), nullptr);
    EXPECT_TRUE(table.Alive().empty());
}

TEST(HandleTable, ListsWhatIsAlive) {
    HandleTable table;
    int deaths = 0;
    auto dc = table.Add(ObjectKind::kDeviceContext, std::make_unique<Tracked>(&deaths));
    table.Add(ObjectKind::kBitmap, std::make_unique<Tracked>(&deaths));
    auto alive = table.Alive();
    ASSERT_EQ(alive.size(), 2u);
    EXPECT_EQ(alive[0].handle, dc);
    EXPECT_EQ(alive[0].kind, ObjectKind::kDeviceContext);
    EXPECT_NE(table.DescribeAlive().find("bitmap"), std::string::npos);
}

}  // namespace
}  // namespace platform
