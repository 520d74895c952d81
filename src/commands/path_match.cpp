// Every name found in every path in one pass over the paths: the names form
// a keyword automaton (a trie with failure links), and each path is run
// through it once.
#include "commands/path_match.hpp"

#include <string_view>
#include <unordered_map>

namespace {

const int kNone = -1;

struct Node {
  int FirstChild = kNone;
  int NextSibling = kNone;
  unsigned char Byte = 0;
  int Failure = 0;          // the longest proper suffix that is in the trie
  int Keyword = kNone;      // the distinct name that ends here
  int NextKeyword = kNone;  // the next node down the failure chain that ends a name
};

struct Automaton {
  std::vector<Node> Nodes;
  int RootChild[256];
};

int Child(const Automaton &automaton, int node, unsigned char byte) {
  if (node == 0) return automaton.RootChild[byte];
  for (int child = automaton.Nodes[node].FirstChild; child != kNone;
       child = automaton.Nodes[child].NextSibling) {
    if (automaton.Nodes[child].Byte == byte) return child;
  }
  return kNone;
}

int AddChild(Automaton &automaton, int node, unsigned char byte) {
  int child = static_cast<int>(automaton.Nodes.size());
  automaton.Nodes.emplace_back();
  automaton.Nodes[child].Byte = byte;
  if (node == 0) {
    automaton.RootChild[byte] = child;
  } else {
    automaton.Nodes[child].NextSibling = automaton.Nodes[node].FirstChild;
    automaton.Nodes[node].FirstChild = child;
  }
  return child;
}

void Build(Automaton &automaton, const std::vector<std::string_view> &keywords) {
  automaton.Nodes.assign(1, Node());
  for (int &child : automaton.RootChild) child = kNone;
  for (size_t id = 0; id < keywords.size(); ++id) {
    int node = 0;
    for (char c : keywords[id]) {
      unsigned char byte = static_cast<unsigned char>(c);
      int next = Child(automaton, node, byte);
      node = next != kNone ? next : AddChild(automaton, node, byte);
    }
    // The empty name is listed apart: the root ends no name.
    if (node != 0) automaton.Nodes[node].Keyword = static_cast<int>(id);
  }
  // Failure links breadth first: a node's link is found from its parent's.
  std::vector<int> queue;
  for (int child : automaton.RootChild) {
    if (child != kNone) queue.push_back(child);
  }
  for (size_t at = 0; at < queue.size(); ++at) {
    int node = queue[at];
    for (int child = automaton.Nodes[node].FirstChild; child != kNone;
         child = automaton.Nodes[child].NextSibling) {
      unsigned char byte = automaton.Nodes[child].Byte;
      int failure = automaton.Nodes[node].Failure;
      int target = Child(automaton, failure, byte);
      while (target == kNone && failure != 0) {
        failure = automaton.Nodes[failure].Failure;
        target = Child(automaton, failure, byte);
      }
      Node &entry = automaton.Nodes[child];
      entry.Failure = target != kNone ? target : 0;
      const Node &suffix = automaton.Nodes[entry.Failure];
      entry.NextKeyword = suffix.Keyword != kNone ? entry.Failure : suffix.NextKeyword;
      queue.push_back(child);
    }
  }
}

}  // namespace

std::vector<std::vector<size_t>> PathsHolding(const std::vector<std::string> &names,
                                              const std::vector<std::string> &paths) {
  // Each distinct name once in the automaton; repeated names share a list.
  std::unordered_map<std::string_view, size_t> idOf;
  std::vector<std::string_view> keywords;
  std::vector<size_t> nameId(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    auto inserted = idOf.emplace(names[i], keywords.size());
    if (inserted.second) keywords.push_back(names[i]);
    nameId[i] = inserted.first->second;
  }

  std::vector<std::vector<size_t>> found(keywords.size());
  auto empty = idOf.find(std::string_view());
  if (empty != idOf.end()) {
    for (size_t path = 0; path < paths.size(); ++path) found[empty->second].push_back(path);
  }

  Automaton automaton;
  Build(automaton, keywords);
  std::vector<size_t> lastPath(keywords.size(), static_cast<size_t>(-1));
  for (size_t path = 0; path < paths.size(); ++path) {
    int state = 0;
    for (char c : paths[path]) {
      unsigned char byte = static_cast<unsigned char>(c);
      int next = Child(automaton, state, byte);
      while (next == kNone && state != 0) {
        state = automaton.Nodes[state].Failure;
        next = Child(automaton, state, byte);
      }
      state = next != kNone ? next : 0;
      int hit =
          automaton.Nodes[state].Keyword != kNone ? state : automaton.Nodes[state].NextKeyword;
      for (; hit != kNone; hit = automaton.Nodes[hit].NextKeyword) {
        size_t id = static_cast<size_t>(automaton.Nodes[hit].Keyword);
        if (lastPath[id] == path) continue;
        lastPath[id] = path;
        found[id].push_back(path);
      }
    }
  }

  std::vector<std::vector<size_t>> result(names.size());
  for (size_t i = 0; i < names.size(); ++i) result[i] = found[nameId[i]];
  return result;
}
