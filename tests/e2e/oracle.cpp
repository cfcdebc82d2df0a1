#include "oracle.h"

#include <wincrypt.h>

#include <cstdio>

namespace txtseal::e2e {

std::optional<std::string> ansiBytes(std::wstring_view text, UINT codePage) {
  if (text.empty()) return std::string();
  const int n = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int size =
      WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), n, nullptr, 0, nullptr, &usedDefault);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), n, out.data(), size, nullptr, &usedDefault);
  if (usedDefault) return std::nullopt;
  return out;
}

std::string md5Hex(std::string_view bytes) {
  HCRYPTPROV provider = 0;
  if (!CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return {};
  std::string hex;
  HCRYPTHASH hash = 0;
  if (CryptCreateHash(provider, CALG_MD5, 0, 0, &hash)) {
    BYTE digest[16] = {};
    DWORD length = sizeof digest;
    if (CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0) &&
        CryptGetHashParam(hash, HP_HASHVAL, digest, &length, 0) && length == sizeof digest) {
      char pair[3];
      for (const BYTE b : digest) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        hex += pair;
      }
    }
    CryptDestroyHash(hash);
  }
  CryptReleaseContext(provider, 0);
  return hex;
}

std::string checkCode(std::string_view key) {
  const std::string digest = md5Hex(key);
  return digest.size() == 32 ? digest.substr(2, 9) : std::string();
}

std::string seal(std::string_view plain, std::string_view key) {
  std::string sealed;
  char pair[3];
  for (const char c : plain) {
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>(static_cast<unsigned char>(c) ^ 0xB2u));
    sealed += pair;
  }
  return sealed + checkCode(key);
}

}  // namespace txtseal::e2e
