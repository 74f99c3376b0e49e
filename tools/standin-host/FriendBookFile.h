// The host's friend book file, "おともだち帳", as the host writes it: per
// friend 4 bytes the agent does not use, then the pet's name, the owner's
// name and the mail address, each a length byte and that many bytes, then
// 4 more unused bytes. The stand-in host writes a sample one on request,
// and the tests write the books they need.
#pragma once

#include <string>
#include <vector>

namespace standin {

struct FriendEntry {
  std::string pet;
  std::string owner;
  std::string mail;
};

// The file's bytes. Texts longer than 255 bytes are cut to 255.
inline std::string FriendBookBytes(const std::vector<FriendEntry>& friends) {
  std::string bytes;
  for (const FriendEntry& entry : friends) {
    bytes += std::string("\x01\x00\x00\x00", 4);
    for (const std::string* text : {&entry.pet, &entry.owner, &entry.mail}) {
      const std::string cut = text->substr(0, 255);
      bytes += static_cast<char>(cut.size());
      bytes += cut;
    }
    bytes += std::string("\x00\x00\x00\x00", 4);
  }
  return bytes;
}

// A few friends, some with names too long for their columns.
inline std::vector<FriendEntry> SampleFriends() {
  return {
      {"ポチ", "山田太郎", "taro@example.jp"},
      {"タマ", "鈴木花子", "hanako@example.ne.jp"},
      {"ジョン・フィッツジェラルド・ケネディ二世号", "宮之城左衛門太郎右衛門之助", "very.long.address.for.a.friend@subdomain.example.co.jp"},
      {"モモ", "佐藤次郎", "jiro@example.com"},
      {"", "", ""},
      {"ハチ", "表ソ能", "hachi@example.org"},
  };
}

}  // namespace standin
