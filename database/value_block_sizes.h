// How many cells each reader of a value file (.zbd) reads at a time (the block of a
// ValueCellFile), each chosen for the way the reader goes through the file: one that jumps to a
// record reads small blocks, since every step of its search for the record reads one; one that
// passes through the whole file reads large ones.
#pragma once

// A count of the records comes from the order of the file's records (value_order.h) and
// decodes no cell.
inline constexpr int kCountBlockCells = 1;
// The database's own readers jump to a record and read its cells.
inline constexpr int kRecordBlockCells = 128;
// A template read jumps little further than a record on from the template cursor.
inline constexpr int kTemplateBlockCells = 128;
// A search passes once through the whole file: some 220 KB at a time.
inline constexpr int kSearchBlockCells = 4096;
// A linked field read takes one value at a time from the cursor, seldom further than a record
// on.
inline constexpr int kLinkedFieldBlockCells = 512;
// The record list reads every found record in order through one file kept open for the whole
// list: some 220 KB at a time.
inline constexpr int kRecordListBlockCells = 4096;
