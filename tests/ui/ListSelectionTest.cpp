#include "ui/ListSelection.h"

#include <QComboBox>
#include <gtest/gtest.h>
#include <vector>

using namespace modLumentorMGW;

TEST(ListSelectionTest, FillsRaiseNothingAndTheFirstSelectionRaisesOnce)
{
    QComboBox list;
    std::vector<int> events;
    QObject::connect(&list, &QComboBox::currentIndexChanged, [&](int i) { events.push_back(i); });

    FillList(&list, {"a", "b", "c", "d", "e", "f"});
    EXPECT_EQ(list.currentIndex(), -1);
    list.setCurrentIndex(0);
    list.setCurrentIndex(0);
    list.setCurrentIndex(5);
    EXPECT_EQ(events, (std::vector<int>{0, 5}));

    events.clear();
    FillList(&list, {"x", "y"});
    EXPECT_EQ(list.currentIndex(), -1);
    EXPECT_TRUE(events.empty());

    // A value without an entry shows nothing and raises nothing; the next real one raises.
    SetListIndex(&list, 1);
    SetListIndex(&list, 2);
    EXPECT_EQ(list.currentIndex(), -1);
    SetListIndex(&list, -3);
    SetListIndex(&list, 1);
    EXPECT_EQ(events, (std::vector<int>{1, 1}));
}
