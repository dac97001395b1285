#pragma once

class BookLock;

// The program's start on the book in the working directory: the book's lock
// first, then the window. Returns the exit code. Without the lock nothing of
// the book is read or written; the user is told why.
int runBook(BookLock &lock);

// Lists of a page or more (a listing of a whole book) get memory of their own,
// given back whole when they go. glibc would otherwise raise its threshold
// after the first such list freed and take the next from the common heap,
// where a page left would keep its megabytes resident. Called first thing.
void keepLargeListsApart();
