// Filling the list in one go, by hand or from the element file, and saving the
// list to that file.
#ifndef SQLIST_ELEMENT_FILE_ELEMENT_FILE_H_
#define SQLIST_ELEMENT_FILE_ELEMENT_FILE_H_

#include "console/console.h"
#include "list/adt_list.h"

namespace element_file {

// The element file, in the working folder.
inline constexpr const char* kElemFile = "data.dat";

// Replaces the elements of a list with storage by those of the file at path,
// growing the block when the file holds more than listsize elements. The file
// is read whole before the list is touched. Answers OK; ERROR when the list
// has no storage or the file cannot be opened or read; OVERFLOW when there is
// no memory for it. The list is unchanged unless the answer is OK.
Status ReadElemFile(Sqlist* L, const char* path);

// Replaces the file at path by the elements of L: the bytes go to a new file
// beside it, which is flushed to disk and then renamed over it. An existing
// file keeps its permission bits. Answers OK, or ERROR when any step fails;
// the old file is then left as it was and the new one removed.
Status WriteElemFile(const Sqlist* L, const char* path);

}  // namespace element_file

// Asks for the assignment method and assigns the list either four typed
// values (its length becomes 4) or the contents of the element file. Answers
// OK, or ERROR when nothing was assigned: a list without storage, a method
// other than 1 or 2, a file that cannot be read, or input that ended.
Status AssignElem(Sqlist* L, console::Console& con);

// Saves the list to the element file. Answers OK, or ERROR after writing the
// line "File open error" when the file could not be replaced.
Status SaveFile(Sqlist* L, console::Console& con);

#endif  // SQLIST_ELEMENT_FILE_ELEMENT_FILE_H_
