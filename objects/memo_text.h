// Memo texts: aligned texts that hold the memo field of a linked database. One inserted
// without a text of its own says what it is for.
#pragma once
#include <string>

// "Este objeto hace de contenedor para el campo memotext de las bases de datos." followed by
// a blank and the program's web address.
std::string MemoFieldNote();
