#pragma once

class BookLock;

// The program's start on the book in the working directory: the book's lock
// first, then the window. Returns the exit code. Without the lock nothing of
// the book is read or written; the user is told why.
int runBook(BookLock &lock);
