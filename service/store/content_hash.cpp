#include "service/store/content_hash.h"

#include <sodium.h>

#include <cstdint>

namespace rb::service {

std::string ContentHash(const Inventory& inventory) {
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    const auto add = [&state](const std::string& field) {
        uint8_t length[8];
        for (int i = 0; i < 8; ++i) length[i] = static_cast<uint8_t>(uint64_t(field.size()) >> (8 * i));
        crypto_hash_sha256_update(&state, length, sizeof length);
        crypto_hash_sha256_update(&state, reinterpret_cast<const uint8_t*>(field.data()),
                                  field.size());
    };
    for (const std::string* field :
         {&inventory.operation, &inventory.header.Nombre, &inventory.header.Telefono,
          &inventory.header.Observaciones, &inventory.header.Destino, &inventory.xml}) {
        add(*field);
    }
    uint8_t hash[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(&state, hash);
    return std::string(reinterpret_cast<const char*>(hash), sizeof hash);
}

}  // namespace rb::service
