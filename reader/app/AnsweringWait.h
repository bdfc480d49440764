// Long work of the user-interface thread (inflating a large record, writing thousands of files,
// searching a whole book) runs on a worker thread while the calling thread keeps answering:
// messages sent to its windows, from other threads and programs, are handled, and its windows
// repaint. Input and posted messages stay queued until the work is done, so nothing the person
// does starts in the middle of it.
#pragma once
#include <functional>

void RunWhileAnswering(const std::function<void()>& work);
