#pragma once

// Readies the process's heap for reading large reports, before anything is allocated. A
// comparison keeps an index of hundreds of thousands of rows, each allocated on its own; where
// the first touch of a page is dear (about 11 microseconds on a virtual machine), touching tens
// of thousands of pages one by one costs more than the reading itself. On Linux the heap is
// taken in large pieces and the kernel asked to back them with huge pages; on Windows nothing
// changes, since large pages need a privilege an ordinary user lacks.
void prepareHeapForLargeReports();
