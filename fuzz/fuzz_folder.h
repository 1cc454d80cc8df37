// A private working folder for a fuzz target, so that the element file it
// reads and writes is its own.
#ifndef SQLIST_FUZZ_FUZZ_FOLDER_H_
#define SQLIST_FUZZ_FUZZ_FOLDER_H_

namespace fuzz {

// Makes a fresh folder and makes it the working folder; it is removed with its
// contents when the process exits. The folder is made in memory (/dev/shm)
// where there is one, because saving flushes the file to disk every time.
//
// Call it from LLVMFuzzerInitialize with that function's arguments. libFuzzer
// reads them after that call, so the relative paths among them (corpus
// folders, -artifact_prefix, -exact_artifact_path, -dict) are made absolute
// first, and a missing -artifact_prefix is set to the folder the fuzzer was
// started in: a crash is then saved there, not in the private folder.
void EnterPrivateFolder(int* argc, char*** argv);

}  // namespace fuzz

#endif  // SQLIST_FUZZ_FUZZ_FOLDER_H_
