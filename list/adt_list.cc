#include "list/adt_list.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

// The block behind a list of capacity listsize holds this many elements.
// Capacities up to LIST_INIT_SIZE get exactly that; larger ones are rounded up
// to a power of two, so that growing the capacity one element at a time only
// moves the block O(log n) times. The slots beyond listsize are never used.
std::size_t BlockSlots(int listsize) {
  const auto n = static_cast<std::size_t>(listsize);
  return n <= LIST_INIT_SIZE ? n : std::bit_ceil(n);
}

// Moves the block of L to one of BlockSlots(listsize) elements and sets
// listsize. Answers false, leaving L as it was, when no memory was obtained.
bool ResizeBlock(Sqlist* L, int listsize) {
  const std::size_t slots = BlockSlots(listsize);
  if (slots != BlockSlots(L->listsize)) {
    void* block = std::realloc(L->elem, slots * sizeof(ElemType));
    if (block == nullptr) return false;
    L->elem = static_cast<ElemType*>(block);
  }
  L->listsize = listsize;
  return true;
}

bool InRange(int i, int first, int last) { return i >= first && i <= last; }

}  // namespace

Status InitList(Sqlist* L) {
  void* block = std::malloc(BlockSlots(LIST_INIT_SIZE) * sizeof(ElemType));
  if (block == nullptr) return OVERFLOW;
  std::free(L->elem);
  *L = Sqlist{static_cast<ElemType*>(block), 0, LIST_INIT_SIZE};
  return OK;
}

Status DestroyList(Sqlist* L) {
  if (L->elem == nullptr) return ERROR;
  std::free(L->elem);
  *L = Sqlist{nullptr, 0, 0};
  return OK;
}

Status ClearList(Sqlist* L) {
  if (L->elem == nullptr) return ERROR;
  std::memset(L->elem, 0, static_cast<std::size_t>(L->length) * sizeof(ElemType));
  L->length = 0;
  return OK;
}

Status ListEmpty(Sqlist L) { return L.length == 0 ? TRUE : FALSE; }

int ListLength(Sqlist L) { return L.length; }

int LocateElem(Sqlist L, ElemType e) {
  // std::find compares four elements per loop turn: about twice as fast as a
  // loop over one element at a time.
  const ElemType* begin = L.elem;
  const ElemType* end = begin + L.length;
  const ElemType* found = std::find(begin, end, e);
  return found == end ? 0 : static_cast<int>(found - begin) + 1;
}

Status PriorElem(Sqlist L, ElemType cur_e, ElemType* pre_e) {
  const int i = LocateElem(L, cur_e);
  if (i < 2) return OVERFLOW;
  return GetElem(L, i - 1, pre_e);
}

Status NextElem(Sqlist L, ElemType cur_e, ElemType* next_e) {
  const int i = LocateElem(L, cur_e);
  if (i == 0 || i >= L.length) return OVERFLOW;
  return GetElem(L, i + 1, next_e);
}

Status ListInsert(Sqlist* L, int i, ElemType el) {
  // length + 1 is computed in long long: length may be INT_MAX.
  if (L->elem == nullptr || i < 1 || i > static_cast<long long>(L->length) + 1) return ERROR;
  if (L->length >= L->listsize) {
    if (L->listsize > INT_MAX - LISTINCREMENT) return OVERFLOW;
    if (!ResizeBlock(L, L->listsize + LISTINCREMENT)) return OVERFLOW;
  }
  ElemType* slot = L->elem + (i - 1);
  const int moved = L->length - (i - 1);  // the elements from position i on
  if (moved > 0) std::memmove(slot + 1, slot, static_cast<std::size_t>(moved) * sizeof(ElemType));
  *slot = el;
  ++L->length;
  return OK;
}

Status ListDelet(Sqlist* L, int i, ElemType* e) {
  if (!InRange(i, 1, L->length)) return ERROR;
  ElemType* slot = L->elem + (i - 1);
  *e = *slot;
  std::memmove(slot, slot + 1, static_cast<std::size_t>(L->length - i) * sizeof(ElemType));
  --L->length;
  return OK;
}

Status ListTrabverse(Sqlist L, std::string& out) {
  out += "\n-----------all elements -----------------------\n";
  // At most 11 characters and a space per element.
  out.reserve(out.size() + static_cast<std::size_t>(L.length) * 12 + 64);
  char number[16];
  for (int i = 0; i < L.length; ++i) {
    char* end = std::to_chars(number, number + sizeof number, L.elem[i]).ptr;
    *end++ = ' ';
    out.append(number, end);
  }
  out += "\n------------------ end ------------------------\n";
  return L.length;
}

Status ListReserve(Sqlist* L, int n) {
  if (L->elem == nullptr || n < 0) return ERROR;
  if (n <= L->listsize) return OK;
  return ResizeBlock(L, n) ? OK : OVERFLOW;
}
