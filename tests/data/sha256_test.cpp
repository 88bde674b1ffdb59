// SHA-256 gives the FIPS 180-4 digests, on either side of the padding's block boundary too,
// and the digest of a message does not depend on how it was fed in pieces.
#include "data/sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace steam::data {
namespace {

TEST(Sha256Test, DigestsAreThoseOfTheStandard) {
    struct Case {
        const char* what;
        std::string message;
        const char* digest;
    };
    const Case cases[] = {
        // The examples of FIPS 180-4 and its test vectors.
        {"abc", "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"empty", "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"448 bits, two blocks", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"a million a", std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        // Lengths around the block of 64 bytes, where the padding needs one block or two.
        {"55 a", std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {"63 a", std::string(63, 'a'), "7d3e74a05d7db15bce4ad9ec0658ea98e3f06eeecf16b4c6fff2da457ddc2f34"},
        {"64 a", std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {"65 a", std::string(65, 'a'), "635361c48bb9eab14198e76ea8ab7f1a41685d6ad62aa9146d301d4f17eb0ae0"},
    };
    for (const Case& c : cases) EXPECT_EQ(toHex(sha256(c.message)), c.digest) << c.what;
}

TEST(Sha256Test, PiecesOfAnyLengthGiveTheDigestOfTheWhole) {
    std::string message;
    for (int i = 0; i < 300; ++i) message += static_cast<char>(i * 37 + 11);
    const Sha256Digest whole = sha256(message);
    for (size_t piece : {1u, 3u, 55u, 63u, 64u, 65u, 127u, 200u}) {
        Sha256 hash;
        for (size_t at = 0; at < message.size(); at += piece) hash.update(std::string_view(message).substr(at, piece));
        EXPECT_EQ(hash.finish(), whole) << "pieces of " << piece;
    }
    // After finish the object hashes a new message from its start.
    Sha256 reused;
    reused.update("some other text");
    reused.finish();
    reused.update(message);
    EXPECT_EQ(reused.finish(), whole);
}

}  // namespace
}  // namespace steam::data
