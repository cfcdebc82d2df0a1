// The digest through the Windows crypto service (CryptoAPI).
#include <windows.h>
#include <wincrypt.h>

#include <vector>

#include "digest.h"
#include "digest_render.h"

namespace txtseal {

static_assert(kAlgorithmMd5 == CALG_MD5);

namespace {

class CryptContext {
 public:
  CryptContext() {
    // The default provider with no key container; some systems only hand
    // out a context without CRYPT_VERIFYCONTEXT, so try once more without it.
    if (!CryptAcquireContextA(&handle_, "", "", PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
        !CryptAcquireContextA(&handle_, "", "", PROV_RSA_FULL, 0)) {
      handle_ = 0;
    }
  }
  ~CryptContext() {
    if (handle_) CryptReleaseContext(handle_, 0);
  }
  CryptContext(const CryptContext&) = delete;
  CryptContext& operator=(const CryptContext&) = delete;
  [[nodiscard]] HCRYPTPROV get() const { return handle_; }

 private:
  HCRYPTPROV handle_ = 0;
};

class CryptHash {
 public:
  CryptHash(const CryptContext& context, ALG_ID algorithm) {
    if (!context.get() || !CryptCreateHash(context.get(), algorithm, 0, 0, &handle_)) handle_ = 0;
  }
  ~CryptHash() {
    if (handle_) CryptDestroyHash(handle_);
  }
  CryptHash(const CryptHash&) = delete;
  CryptHash& operator=(const CryptHash&) = delete;
  [[nodiscard]] HCRYPTHASH get() const { return handle_; }

 private:
  HCRYPTHASH handle_ = 0;
};

}  // namespace

Text hashHex(const Bytes& data, AlgorithmId algorithm, std::size_t length) {
  // Declared in this order so the hash object is destroyed before its context.
  const CryptContext context;
  const CryptHash hash(context, algorithm);
  if (!hash.get() || data.size() > MAXDWORD || length > MAXDWORD) return {};

  // CryptHashData takes a non-const pointer; hash a copy, in one call.
  std::vector<BYTE> copy(data.begin(), data.end());
  BYTE none = 0;  // an empty byte string is hashed as zero bytes, never from a null pointer
  if (!CryptHashData(hash.get(), copy.empty() ? &none : copy.data(),
                     static_cast<DWORD>(copy.size()), 0)) {
    return {};
  }

  std::vector<BYTE> digest(length, 0);
  auto reported = static_cast<DWORD>(length);
  if (!CryptGetHashParam(hash.get(), HP_HASHVAL, digest.data(), &reported, 0)) return {};
  return detail::renderDigest(digest.data(), reported);
}

}  // namespace txtseal
