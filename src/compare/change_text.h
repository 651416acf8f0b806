// Changes between two inventories as text for people: one line per change (the service's
// `diff` command prints them) and a short Spanish summary for a machine's timeline.
//
// Texts are code page 1252 like the model, so their arrow is "->" ("→" is not in the code
// page). ChangeSummaryUtf8 gives the summary already converted to UTF-8 for a page, with the
// arrow "→".
//
// Line format (stable; values as the document holds them, a few enumerations in Spanish,
// an empty value as "", line breaks inside values as blanks):
//   <Caption>: [<list> ]+ "<item>"                               an item added
//   <Caption>: [<list> ]- "<item>"                               an item removed
//   <Caption>: [<list> ]["<item>" ][<property>]: <old> -> <new>  a value changed
// for example
//   Software: + "Foo 1.2"
//   Software: "Contabilidad Peña" Version: 2.1 -> 2.2
//   Servicios: "Spooler" StartType: Manual -> Automático
//   Memoria: PhysicalTotal: 536330240 -> 1073741824
//   Sistema Operativo: Environment "PATH": C:\WINDOWS -> C:\WINNT
// The list is named except for a section's only list (a program is "Software", not
// "Software: Installed").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compare/diff.h"

namespace rb::compare {

// The section's Spanish caption ("Services" -> "Servicios"); the name itself when unknown.
std::string SectionCaption(std::string_view section);

// One change as one line, without a line end.
std::string ChangeLine(const Change& change);

// "+3 programas, 1 servicio cambiado, memoria 0,5 -> 1 GB": per section in the changes'
// order, the items added, removed and changed of each list with Spanish nouns, headline
// values (the computer's name, the operating system, the processor, the memory in GB) and
// "N cambios en <Caption>" for any other value of a section; "sin cambios" for none.
std::string ChangeSummary(const std::vector<Change>& changes);
// The same summary in UTF-8, with "→" for the arrow.
std::string ChangeSummaryUtf8(const std::vector<Change>& changes);

}  // namespace rb::compare
