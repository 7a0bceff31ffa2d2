#include "account/machine_code_win.h"

#include <windows.h>
#include <iphlpapi.h>
#include <wincrypt.h>
#include <cpuid.h>

#include <cstdint>
#include <span>
#include <vector>

#include "account/machine_code.h"

namespace molan::account {
namespace {

// Owners of the CryptoAPI handles, released in reverse order of acquisition.
class CryptProvider {
 public:
  CryptProvider() {
    if (!CryptAcquireContextW(&h_, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
        !CryptAcquireContextW(&h_, nullptr, nullptr, PROV_RSA_FULL, 0)) {
      h_ = 0;
    }
  }
  ~CryptProvider() {
    if (h_) CryptReleaseContext(h_, 0);
  }
  CryptProvider(const CryptProvider&) = delete;
  CryptProvider& operator=(const CryptProvider&) = delete;
  HCRYPTPROV get() const { return h_; }

 private:
  HCRYPTPROV h_ = 0;
};

class CryptHash {
 public:
  CryptHash(HCRYPTPROV provider, ALG_ID algorithm) {
    if (!provider || !CryptCreateHash(provider, algorithm, 0, 0, &h_)) h_ = 0;
  }
  ~CryptHash() {
    if (h_) CryptDestroyHash(h_);
  }
  CryptHash(const CryptHash&) = delete;
  CryptHash& operator=(const CryptHash&) = delete;
  HCRYPTHASH get() const { return h_; }

 private:
  HCRYPTHASH h_ = 0;
};

constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

Bytes md5Hex(BytesView bytes) {
  CryptProvider provider;
  CryptHash hash(provider.get(), CALG_MD5);
  if (!hash.get()) return {};
  if (!CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0)) {
    return {};
  }
  BYTE digest[16];
  DWORD size = sizeof(digest);
  if (!CryptGetHashParam(hash.get(), HP_HASHVAL, digest, &size, 0) || size != sizeof(digest)) return {};
  Bytes out;
  for (const BYTE b : digest) {
    out.push_back(kHexDigits[b >> 4]);
    out.push_back(kHexDigits[b & 0x0F]);
  }
  return out;
}

Bytes processorIdentifier() {
  unsigned eax1 = 0, ebx1 = 0, ecx1 = 0, edx1 = 0;
  if (!__get_cpuid(1, &eax1, &ebx1, &ecx1, &edx1)) return {};
  // Leaf 3 is read as it stands even where the processor does not serve it;
  // only the first two groups reach the machine code.
  unsigned eax3 = 0, ebx3 = 0, ecx3 = 0, edx3 = 0;
  __cpuid(3, eax3, ebx3, ecx3, edx3);
  return processorIdText(edx1, eax1, edx3, ecx3);
}

Bytes firstAdapterAddress() {
  ULONG size = 0;
  if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) return Bytes(kFallbackAdapterAddress);
  // IP_ADAPTER_INFO holds pointers: keep the buffer suitably aligned.
  std::vector<IP_ADAPTER_INFO> buffer(size / sizeof(IP_ADAPTER_INFO) + 1);
  size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
  if (GetAdaptersInfo(buffer.data(), &size) != NO_ERROR) return Bytes(kFallbackAdapterAddress);
  const IP_ADAPTER_INFO& first = buffer.front();
  const size_t length = first.AddressLength <= MAX_ADAPTER_ADDRESS_LENGTH ? first.AddressLength : MAX_ADAPTER_ADDRESS_LENGTH;
  return adapterAddressText(std::span<const uint8_t>(first.Address, length));
}

Bytes computeMachineCode() {
  return assembleMachineCode(processorIdentifier(), md5Hex(adapterDigestInput(firstAdapterAddress())));
}

}  // namespace molan::account
