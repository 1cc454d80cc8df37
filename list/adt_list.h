// The linear list on sequential storage: a list of 32-bit integers kept in
// one contiguous block that grows one element at a time.
//
// The interface is C-shaped on purpose, because that is what is taught: a
// plain descriptor record, free functions, Status answers and out-parameters.
// Operations that only read the list take the descriptor by value; those that
// change it take its address. Positions count from 1; position i lives in
// storage slot i - 1.
#ifndef SQLIST_LIST_ADT_LIST_H_
#define SQLIST_LIST_ADT_LIST_H_

#include <cstdint>
#include <string>

using Status = int;
using ElemType = std::int32_t;

inline constexpr Status OK = 1;
inline constexpr Status ERROR = 0;
inline constexpr Status TRUE = 1;
inline constexpr Status FALSE = 0;
inline constexpr Status OVERFLOW = -2;

inline constexpr int LIST_INIT_SIZE = 100;  // capacity of a new list, in elements
inline constexpr int LISTINCREMENT = 1;     // growth step of a full list, in elements

// The list descriptor. With storage: 0 <= length <= listsize and the elements
// fill slots 0 .. length - 1 of elem. Without storage: elem is null and
// length and listsize are 0.
struct Sqlist {
  ElemType* elem;
  int length;
  int listsize;  // capacity in elements
};

// Gives the list a new empty block of LIST_INIT_SIZE elements, releasing any
// block it held. Answers OK, or OVERFLOW when no memory could be obtained (the
// list is then left as it was).
Status InitList(Sqlist* L);

// Releases the block and leaves the list without storage. Answers OK, or
// ERROR when the list has no storage.
Status DestroyList(Sqlist* L);

// Zeroes the elements and makes the list empty, keeping the block. Answers OK,
// or ERROR when the list has no storage.
Status ClearList(Sqlist* L);

// Answers TRUE when the list holds no element, else FALSE.
Status ListEmpty(Sqlist L);

// Answers the number of elements.
int ListLength(Sqlist L);

// Copies the element at position i to *e. Answers OK, or OVERFLOW when i is
// outside 1 .. length (then *e is not written). Defined here so that calls
// compile to an inline check and load, as cheap as indexing an array.
inline Status GetElem(Sqlist L, int i, ElemType* e) {
  if (i < 1 || i > L.length) return OVERFLOW;
  *e = L.elem[i - 1];
  return OK;
}

// Answers the position of the first element equal to e, or 0 when none is.
int LocateElem(Sqlist L, ElemType e);

// Copies the element before the first occurrence of cur_e to *pre_e. Answers
// OK, or OVERFLOW when cur_e is absent or first at position 1.
Status PriorElem(Sqlist L, ElemType cur_e, ElemType* pre_e);

// Copies the element after the first occurrence of cur_e to *next_e. Answers
// OK, or OVERFLOW when cur_e is absent or first at the last position.
Status NextElem(Sqlist L, ElemType cur_e, ElemType* next_e);

// Inserts el at position i (1 .. length + 1; length + 1 appends), enlarging a
// full block by LISTINCREMENT elements. Answers OK; ERROR for a bad position
// or a list without storage; OVERFLOW when the block could not be enlarged
// (the list is then unchanged).
Status ListInsert(Sqlist* L, int i, ElemType el);

// Removes the element at position i (1 .. length) and copies it to *e.
// Answers OK, or ERROR for a bad position. The block is never shrunk.
Status ListDelet(Sqlist* L, int i, ElemType* e);

// Appends the printout of the list to out: a line end and the header line,
// each element followed by one space, then a line end and the end line.
// Answers the number of elements printed.
Status ListTrabverse(Sqlist L, std::string& out);

// Makes the block of a list with storage hold at least n elements, keeping its
// contents; listsize becomes n when it was smaller. Answers OK, ERROR for a
// list without storage or a negative n, or OVERFLOW when no memory could be
// obtained (the list is then unchanged).
Status ListReserve(Sqlist* L, int n);

#endif  // SQLIST_LIST_ADT_LIST_H_
