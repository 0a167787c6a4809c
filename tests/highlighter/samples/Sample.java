/**
 * A sample of Java for the highlighter's tests.
 */
package sample;

import java.util.ArrayList;
import java.util.List;

public final class Sample implements Runnable {
    /* the items */
    private final List<String> items = new ArrayList<>();
    private static final int MASK = 0xFF00;
    private static final double SCALE = 1.5e-3;

    @Override
    public void run() {
        char quote = '\'';
        String text = "say \"hi\"\n";
        for (int i = 0; i < 10; i++) { // count
            items.add(text + quote + i * SCALE);
        }
        if ((MASK & 0xFFL) != 0 || items.isEmpty()) {
            throw new IllegalStateException("bad mask");
        }
    }
}

// JavaScript shares the parser.
function greet(name) {
    var message = 'Hello, ' + name;
    return typeof name === "string" ? message : null;
}
