#pragma once
// Which tree node the grid shows. Indexes are tree indexes and go stale when items are inserted
// or removed before them; they are looked up again where that can have happened.
#include <string>
#include <vector>

#include "lists/ValueSet.h"

struct TreeNavigation {
    // A lastOpenedListNode of this value forces the next showing to reload the list in full.
    static constexpr int kReloadList = -2;

    int listNode = -1;                     // list node of the node last shown
    int lastOpenedListNode = kReloadList;  // listNode of the showing before
    int filterField = 0;                   // key field whose value filters the grid
    std::string filterValue;               // the value shown when filtering
    // A value node is shown: only the records whose filterField shows filterValue, which may be
    // the empty text.
    bool filtering = false;
    std::vector<int> keyFieldNodes;   // children of listNode, in order
    std::vector<ValueSet> valueSets;  // one per key-field node
};
