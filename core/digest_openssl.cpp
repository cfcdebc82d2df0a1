// The digest through OpenSSL's libcrypto, where the platform has no crypto
// service of its own. Algorithm ids follow the Windows numbering so that both
// platforms answer the same calls alike.
#include <openssl/evp.h>

#include <memory>

#include "digest.h"
#include "digest_render.h"

namespace txtseal {

namespace {

const EVP_MD* mdFor(AlgorithmId algorithm) {
  switch (algorithm) {
    case kAlgorithmMd5: return EVP_md5();
    case 0x8004: return EVP_sha1();
    case 0x800C: return EVP_sha256();
    case 0x800D: return EVP_sha384();
    case 0x800E: return EVP_sha512();
    default: return nullptr;
  }
}

struct FreeMdContext {
  void operator()(EVP_MD_CTX* ctx) const { EVP_MD_CTX_free(ctx); }
};

}  // namespace

Text hashHex(const Bytes& data, AlgorithmId algorithm, std::size_t length) {
  const EVP_MD* md = mdFor(algorithm);
  if (md == nullptr) return {};
  const std::unique_ptr<EVP_MD_CTX, FreeMdContext> ctx(EVP_MD_CTX_new());
  unsigned char digest[EVP_MAX_MD_SIZE] = {};
  unsigned int reported = 0;
  if (!ctx || EVP_DigestInit_ex(ctx.get(), md, nullptr) != 1 ||
      EVP_DigestUpdate(ctx.get(), data.data(), data.size()) != 1 ||
      EVP_DigestFinal_ex(ctx.get(), digest, &reported) != 1) {
    return {};
  }
  // Like the Windows service: a buffer too small for the digest is a failure;
  // a larger one is fine and only the digest's own bytes are reported.
  if (length < reported) return {};
  return detail::renderDigest(digest, reported);
}

}  // namespace txtseal
