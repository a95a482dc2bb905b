// SHA-256 through the system's CNG, for Windows builds without OpenSSL.
#include <windows.h>

#include <bcrypt.h>

#include "Sha256.h"

namespace {

// One CNG hash object: closed with its provider however the hashing ends.
class CngSha256 {
public:
  CngSha256() {
    if (BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) < 0 ||
        BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) < 0)
      throw "SHA-256 failed";
  }
  ~CngSha256() {
    if (hash) BCryptDestroyHash(hash);
    if (algorithm) BCryptCloseAlgorithmProvider(algorithm, 0);
  }
  CngSha256(const CngSha256&) = delete;
  CngSha256& operator=(const CngSha256&) = delete;

  void add(const uint8_t* data, size_t size) {
    while (size > 0) {
      ULONG part = size > 0x40000000u ? 0x40000000u : static_cast<ULONG>(size);
      if (BCryptHashData(hash, const_cast<PUCHAR>(data), part, 0) < 0) throw "SHA-256 failed";
      data += part;
      size -= part;
    }
  }
  void finish(UCHAR (&digest)[32]) {
    if (BCryptFinishHash(hash, digest, sizeof digest, 0) < 0) throw "SHA-256 failed";
  }

private:
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
};

} // namespace

std::string sha256Hex(const uint8_t* data, size_t size) {
  CngSha256 sha;
  sha.add(data, size);
  UCHAR digest[32];
  sha.finish(digest);
  static const char hex[] = "0123456789abcdef";
  std::string text;
  for (UCHAR value : digest) {
    text += hex[value >> 4];
    text += hex[value & 15];
  }
  return text;
}
