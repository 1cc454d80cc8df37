#include "list/adt_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace {

// A list that releases its block when the test ends.
struct TestList {
  Sqlist L{nullptr, 0, 0};
  TestList() = default;
  explicit TestList(std::initializer_list<ElemType> values) {
    EXPECT_EQ(InitList(&L), OK);
    for (ElemType v : values) EXPECT_EQ(ListInsert(&L, L.length + 1, v), OK);
  }
  ~TestList() { DestroyList(&L); }
  std::vector<ElemType> Elements() const { return {L.elem, L.elem + L.length}; }
};

TEST(NoStorage, EveryOperationAnswersWithoutTouchingTheList) {
  TestList t;
  ElemType e = 77;
  EXPECT_EQ(ListEmpty(t.L), TRUE);
  EXPECT_EQ(ListLength(t.L), 0);
  EXPECT_EQ(LocateElem(t.L, 0), 0);
  EXPECT_EQ(GetElem(t.L, 1, &e), OVERFLOW);
  EXPECT_EQ(PriorElem(t.L, 0, &e), OVERFLOW);
  EXPECT_EQ(NextElem(t.L, 0, &e), OVERFLOW);
  EXPECT_EQ(ListDelet(&t.L, 1, &e), ERROR);
  EXPECT_EQ(ListInsert(&t.L, 1, 5), ERROR);  // no block is made for it
  EXPECT_EQ(ClearList(&t.L), ERROR);
  EXPECT_EQ(DestroyList(&t.L), ERROR);
  EXPECT_EQ(ListReserve(&t.L, 10), ERROR);
  EXPECT_EQ(e, 77);
  EXPECT_EQ(t.L.elem, nullptr);
  EXPECT_EQ(t.L.length, 0);
  EXPECT_EQ(t.L.listsize, 0);

  std::string out;
  EXPECT_EQ(ListTrabverse(t.L, out), 0);
  EXPECT_EQ(out,
            "\n-----------all elements -----------------------\n"
            "\n------------------ end ------------------------\n");
}

TEST(Lifecycle, InitDestroyAndClear) {
  TestList t{1, 2, 3, 4, 5};
  EXPECT_EQ(InitList(&t.L), OK);  // starts again, releasing the old block
  EXPECT_EQ(t.L.length, 0);
  EXPECT_EQ(t.L.listsize, LIST_INIT_SIZE);

  ASSERT_EQ(ListInsert(&t.L, 1, 9), OK);
  ASSERT_EQ(ListInsert(&t.L, 2, 8), OK);
  ASSERT_EQ(ListInsert(&t.L, 3, 7), OK);
  EXPECT_EQ(ClearList(&t.L), OK);
  EXPECT_EQ(t.L.length, 0);
  EXPECT_EQ(t.L.listsize, LIST_INIT_SIZE);
  EXPECT_EQ(t.L.elem[0], 0);  // the old slots are zeroed
  EXPECT_EQ(t.L.elem[2], 0);
  EXPECT_EQ(ListEmpty(t.L), TRUE);

  EXPECT_EQ(DestroyList(&t.L), OK);
  EXPECT_EQ(DestroyList(&t.L), ERROR);
  EXPECT_EQ(t.L.listsize, 0);
}

TEST(Positions, BadPositionsAreRefusedWithTheirOwnCodes) {
  TestList t{10, 20, 30};
  const std::vector<ElemType> before = t.Elements();
  struct Case {
    int i;
    Status get, insert, del;
  };
  const Case cases[] = {
      {INT_MIN, OVERFLOW, ERROR, ERROR}, {-1, OVERFLOW, ERROR, ERROR},
      {0, OVERFLOW, ERROR, ERROR},       {4, OVERFLOW, ERROR, ERROR},
      {5, OVERFLOW, ERROR, ERROR},       {INT_MAX, OVERFLOW, ERROR, ERROR},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.i);
    ElemType e = -7;
    EXPECT_EQ(GetElem(t.L, c.i, &e), c.get);
    EXPECT_EQ(ListDelet(&t.L, c.i, &e), c.del);
    if (c.i != 4) {  // 4 is length + 1: an append
      EXPECT_EQ(ListInsert(&t.L, c.i, 99), c.insert);
    }
    EXPECT_EQ(e, -7);
  }
  EXPECT_EQ(t.Elements(), before);
  EXPECT_EQ(t.L.listsize, LIST_INIT_SIZE);
}

TEST(Positions, InsertPrependsAppendsAndShifts) {
  TestList t{2, 4};
  EXPECT_EQ(ListInsert(&t.L, 1, 1), OK);
  EXPECT_EQ(ListInsert(&t.L, 3, 3), OK);
  EXPECT_EQ(ListInsert(&t.L, t.L.length + 1, 5), OK);
  EXPECT_EQ(t.Elements(), (std::vector<ElemType>{1, 2, 3, 4, 5}));

  ElemType e = 0;
  EXPECT_EQ(ListDelet(&t.L, 1, &e), OK);
  EXPECT_EQ(e, 1);
  EXPECT_EQ(ListDelet(&t.L, 4, &e), OK);
  EXPECT_EQ(e, 5);
  EXPECT_EQ(ListDelet(&t.L, 2, &e), OK);
  EXPECT_EQ(e, 3);
  EXPECT_EQ(t.Elements(), (std::vector<ElemType>{2, 4}));
  EXPECT_EQ(GetElem(t.L, 2, &e), OK);
  EXPECT_EQ(e, 4);
}

TEST(Positions, DeletingTheOnlyElementKeepsTheBlock) {
  TestList t{42};
  ElemType e = 0;
  EXPECT_EQ(ListDelet(&t.L, 1, &e), OK);
  EXPECT_EQ(e, 42);
  EXPECT_EQ(ListEmpty(t.L), TRUE);
  EXPECT_EQ(t.L.listsize, LIST_INIT_SIZE);
}

TEST(Search, FirstOccurrenceDecides) {
  struct Case {
    std::vector<ElemType> list;
    ElemType value;
    int position;
    Status prior;
    ElemType prior_value;
    Status next;
    ElemType next_value;
  };
  const Case cases[] = {
      {{5, 7, 5}, 5, 1, OVERFLOW, 0, OK, 7},
      {{5, 7, 5}, 7, 2, OK, 5, OK, 5},
      {{5, 7, 5}, 6, 0, OVERFLOW, 0, OVERFLOW, 0},
      {{9}, 9, 1, OVERFLOW, 0, OVERFLOW, 0},
      {{1, 2, 3}, 3, 3, OK, 2, OVERFLOW, 0},
      {{}, 0, 0, OVERFLOW, 0, OVERFLOW, 0},
      {{INT_MIN, INT_MAX}, INT_MAX, 2, OK, INT_MIN, OVERFLOW, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.list) + " value " + std::to_string(c.value));
    TestList t;
    ASSERT_EQ(InitList(&t.L), OK);
    for (ElemType v : c.list) ASSERT_EQ(ListInsert(&t.L, t.L.length + 1, v), OK);
    EXPECT_EQ(LocateElem(t.L, c.value), c.position);
    ElemType e = -1;
    EXPECT_EQ(PriorElem(t.L, c.value, &e), c.prior);
    EXPECT_EQ(e, c.prior == OK ? c.prior_value : -1);
    e = -1;
    EXPECT_EQ(NextElem(t.L, c.value, &e), c.next);
    EXPECT_EQ(e, c.next == OK ? c.next_value : -1);
  }
}

TEST(Growth, FullBlockGrowsByOneElementPerInsertion) {
  TestList t;
  ASSERT_EQ(InitList(&t.L), OK);
  for (int i = 1; i <= LIST_INIT_SIZE; ++i) ASSERT_EQ(ListInsert(&t.L, i, i), OK);
  EXPECT_EQ(t.L.listsize, LIST_INIT_SIZE);

  // A refused insertion into the full block does not enlarge it.
  EXPECT_EQ(ListInsert(&t.L, 0, 0), ERROR);
  EXPECT_EQ(ListInsert(&t.L, LIST_INIT_SIZE + 2, 0), ERROR);
  EXPECT_EQ(t.L.listsize, LIST_INIT_SIZE);

  EXPECT_EQ(ListInsert(&t.L, 1, 0), OK);  // the 101st
  EXPECT_EQ(t.L.listsize, 101);
  EXPECT_EQ(ListInsert(&t.L, 102, 101), OK);  // the 102nd
  EXPECT_EQ(t.L.listsize, 102);
  for (int i = 0; i < t.L.length; ++i) ASSERT_EQ(t.L.elem[i], i);

  // A deletion makes room: the next insertion does not grow.
  ElemType e;
  ASSERT_EQ(ListDelet(&t.L, 1, &e), OK);
  ASSERT_EQ(ListInsert(&t.L, 1, 0), OK);
  EXPECT_EQ(t.L.listsize, 102);
}

TEST(Growth, ManyAppendsKeepEveryElement) {
  TestList t;
  ASSERT_EQ(InitList(&t.L), OK);
  constexpr int kCount = 100000;
  for (int i = 0; i < kCount; ++i) ASSERT_EQ(ListInsert(&t.L, i + 1, i * 3), OK);
  EXPECT_EQ(t.L.length, kCount);
  EXPECT_EQ(t.L.listsize, kCount);
  for (int i = 0; i < kCount; ++i) ASSERT_EQ(t.L.elem[i], i * 3);
}

TEST(Growth, ACapacityThatCannotGrowAnswersOverflow) {
  // A block that claims the largest capacity: enlarging it is impossible, and
  // the list must come back unchanged.
  auto* block = static_cast<ElemType*>(std::malloc(sizeof(ElemType)));
  Sqlist L{block, INT_MAX, INT_MAX};
  EXPECT_EQ(ListInsert(&L, 1, 5), OVERFLOW);
  EXPECT_EQ(L.elem, block);
  EXPECT_EQ(L.length, INT_MAX);
  EXPECT_EQ(L.listsize, INT_MAX);
  std::free(block);
}

TEST(Reserve, GrowsOnlyWhenAsked) {
  TestList t{1, 2, 3};
  EXPECT_EQ(ListReserve(&t.L, 50), OK);
  EXPECT_EQ(t.L.listsize, LIST_INIT_SIZE);
  EXPECT_EQ(ListReserve(&t.L, 150), OK);
  EXPECT_EQ(t.L.listsize, 150);
  EXPECT_EQ(t.Elements(), (std::vector<ElemType>{1, 2, 3}));
  for (int i = 4; i <= 150; ++i) t.L.elem[i - 1] = i;  // the whole block is usable
  t.L.length = 150;
  EXPECT_EQ(ListInsert(&t.L, 151, 151), OK);
  EXPECT_EQ(t.L.listsize, 151);
  EXPECT_EQ(ListReserve(&t.L, -1), ERROR);
}

TEST(Print, ElementsEachFollowedByASpaceBetweenTheFrameLines) {
  TestList t{1, -2, INT_MIN, INT_MAX};
  std::string out = "before";
  EXPECT_EQ(ListTrabverse(t.L, out), 4);
  EXPECT_EQ(out,
            "before\n-----------all elements -----------------------\n"
            "1 -2 -2147483648 2147483647 "
            "\n------------------ end ------------------------\n");
}

}  // namespace
