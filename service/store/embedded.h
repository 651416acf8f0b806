// The store's schema steps, built into the program (cmake/embed_files.cmake): the text of a file
// below service/store/schema by its path ("sqlite/001_inventories.sql"), "" for no such file.
#pragma once

#include <string_view>

namespace rb::service::schema {

std::string_view EmbeddedFile(std::string_view name);

}  // namespace rb::service::schema
