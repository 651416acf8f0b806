// Pages from the built-in templates (mustache, one file a page and a layout around them): every
// value is escaped where the template writes it. Texts inside the service are code page 1252;
// pages are UTF-8, converted once, here.
#pragma once

#include <kainjow/mustache.hpp>

#include <string>
#include <string_view>

#include "service/http/message.h"

namespace rb::service::console {

using Data = kainjow::mustache::data;

// A text of the service (code page 1252) as a template value.
Data Text(const std::string& cp1252);
// A summary of changes (code page 1252, with "->") as a page shows it, with "→".
Data SummaryText(const std::string& cp1252);
// An empty list to push values on.
Data List();
// A whole number, and a number of bytes, as the console writes them ("12.345").
std::string Grouped(int64_t value);

// The text of a built-in file below service/console/templates ("estilo.css"), "" for none.
std::string_view Builtin(std::string_view name);

// `view` (a template's name without ".mustache") filled with `data`, inside the layout titled
// `title` (code page 1252), for the account the request's gate found.
http::Response Page(const http::Request& request, const std::string& view, Data data,
                    const std::string& title, int status = 200);

// A page that says what went wrong (code page 1252 text).
http::Response ErrorPage(const http::Request& request, int status, const std::string& message);

}  // namespace rb::service::console
