"""The specification points and the resources of the sample library."""

TEXTS = {}


def T(name, markup):
    TEXTS[name] = markup


def syllabus(name, heading, points, equations=None):
    lines = ["@h " + heading, "Students should be able to:"]
    lines += ["- " + p for p in points]
    if equations:
        lines.append("@table 6 8")
        lines.append("| Quantity | Equation |")
        lines += ["| %s | %s |" % e for e in equations]
    T(name, "\n".join(lines))


# Physics ------------------------------------------------------------------------
syllabus("s1.1", "1.1 Speed and velocity", [
    "recall typical speeds: walking 1.5 m s^{−1}, cycling 6 m s^{−1}, sound in air 330 m s^{−1};",
    "recall and use the equation for speed, converting kilometres and minutes into SI units;",
    "explain that velocity is speed in a given direction, and that it changes when the direction changes;",
    "draw and interpret distance–time graphs, finding the speed from the gradient.",
], [("speed", "distance ÷ time (//v// = //s// ÷ //t//)")])
syllabus("s1.2", "1.2 Acceleration", [
    "define acceleration as the change in velocity per second;",
    "calculate accelerations, giving the unit m s^{−2};",
    "find the acceleration from the gradient of a velocity–time graph.",
], [("acceleration", "//a// = Δ//v// ÷ //t//")])
syllabus("s1.3", "1.3 Newton's laws of motion", [
    "state that a body stays at rest or moves at constant velocity unless a resultant force acts on it;",
    "recall and use //F// = //m a//;",
    "identify the pairs of forces of Newton's third law: equal, opposite, of the same type and acting on different bodies.",
], [("resultant force", "//F// = //m a//")])
syllabus("s1.4", "1.4 Stopping distances", [
    "recall that stopping distance = thinking distance + braking distance;",
    "describe the factors that affect reaction time and braking distance;",
    "explain the dangers of large decelerations.",
])
syllabus("s2.1", "2.1 Energy stores and transfers", [
    "name the energy stores: kinetic, gravitational potential, elastic, thermal, chemical, nuclear;",
    "calculate kinetic and gravitational potential energies;",
    "describe energy transfers in falling and bouncing objects, including work done against air resistance.",
], [("kinetic energy", "//E//_{k} = ½ //m v//^{2}"), ("gravitational potential energy", "//E//_{p} = //m g h//")])
syllabus("s2.2", "2.2 Power and efficiency", [
    "define power as the rate of energy transfer, in watts;",
    "calculate efficiencies as decimals and as percentages, and explain why 0 \u2264 efficiency < 1 for any real device.",
], [("power", "//P// = //E// ÷ //t//"), ("efficiency", "useful output ÷ total input")])
syllabus("s2.3", "2.3 Specific heat capacity", [
    "define specific heat capacity;",
    "describe an experiment to measure the specific heat capacity of a metal and evaluate its results.",
], [("change in thermal energy", "Δ//E// = //m c// Δθ")])
syllabus("s3.1", "3.1 Circuits", [
    "draw and interpret circuit diagrams with cells, lamps, resistors, ammeters and voltmeters;",
    "recall that the current is the same everywhere in a series circuit and divides between the branches of a parallel circuit;",
    "connect ammeters in series and voltmeters in parallel.",
])
syllabus("s3.2", "3.2 Resistance", [
    "recall and use //V// = //I R//;",
    "describe the //I//–//V// characteristics of a resistor, a filament lamp and a diode;",
    "describe how the resistance of a thermistor falls as its temperature rises, and of an LDR as the light gets brighter.",
], [("potential difference", "//V// = //I R//")])
syllabus("s4.1", "4.1 Properties of waves", [
    "describe the difference between transverse and longitudinal waves;",
    "define amplitude, wavelength (λ), frequency and period;",
    "measure the speed of water waves in a ripple tank and of sound in air.",
], [("wave speed", "//v// = //f// λ")])
syllabus("s4.2", "4.2 The electromagnetic spectrum", [
    "list the groups of the spectrum in order of wavelength and of frequency;",
    "describe uses of each group;",
    "describe the hazards of ultraviolet, X-rays and gamma rays to the human body.",
])
syllabus("s5.1", "5.1 Density", [
    "recall and use the equation for density;",
    "measure the density of regular and irregular solids and of liquids.",
], [("density", "ρ = //m// ÷ //V//")])

# Chemistry ------------------------------------------------------------------------
syllabus("s6.1", "6.1 Atoms and isotopes", [
    "recall the relative masses and charges of protons, neutrons and electrons;",
    "define atomic number, mass number and isotope;",
    "calculate relative atomic masses from the abundances of isotopes.",
])
syllabus("s6.2", "6.2 The periodic table", [
    "explain the arrangement of elements in groups and periods by electronic structure;",
    "describe the reactions of the Group 1 metals with water and explain the trend in reactivity;",
    "explain why the noble gases are unreactive.",
])
syllabus("s7.1", "7.1 Ionic bonding", [
    "describe the formation of ions by the transfer of electrons, with dot and cross diagrams;",
    "explain the properties of ionic compounds in terms of their giant lattices.",
])
syllabus("s7.2", "7.2 Covalent structures", [
    "describe covalent bonds as shared pairs of electrons;",
    "explain the low boiling points of simple molecular substances such as H_{2}O and CO_{2};",
    "explain the properties of diamond and graphite from their structures.",
])
syllabus("s8.1", "8.1 Relative formula mass", [
    "calculate relative formula masses (//M//_{r}) from relative atomic masses (//A//_{r});",
    "calculate the percentage by mass of an element in a compound.",
])
syllabus("s8.2", "8.2 Moles and reacting masses", [
    "recall that one mole of a substance has a mass equal to its //M//_{r} in grams;",
    "calculate the masses of reactants and products from balanced equations.",
], [("amount of substance", "moles = mass ÷ //M//_{r}")])
syllabus("s9.1", "9.1 Acids and alkalis", [
    "describe the pH scale from 0 to 14 and the use of universal indicator;",
    "write the ionic equation for neutralisation: H^{+}(aq) + OH^{−}(aq) → H_{2}O(l);",
    "describe how to make a pure, dry sample of a soluble salt from an insoluble base.",
])
syllabus("s9.2", "9.2 Electrolysis", [
    "explain why ionic compounds conduct only when molten or dissolved;",
    "predict the products of electrolysis of molten compounds and of aqueous solutions;",
    "write half equations for the reactions at the electrodes.",
])
syllabus("s10.1", "10.1 Rates of reaction", [
    "calculate mean rates of reaction from tables and graphs;",
    "explain the effects of temperature, concentration, surface area and catalysts using collision theory;",
    "investigate how concentration affects the rate of reaction by measuring the time for a cloudiness to form.",
], [("mean rate of reaction", "quantity of product formed ÷ time taken")])
syllabus("s10.2", "10.2 Energy changes", [
    "distinguish between exothermic and endothermic reactions;",
    "draw and interpret reaction profiles, identifying the activation energy and the overall energy change ΔH.",
])

# Resources -------------------------------------------------------------------------
T("ds1", """
@c **Physics equations**
@i You may use these equations in any physics question. Use SI units unless told otherwise.
@table 6 7 4
| Quantity | Equation | Unit |
| speed | //v// = //s// ÷ //t// | m s^{−1} |
| acceleration | //a// = Δ//v// ÷ //t// | m s^{−2} |
| resultant force | //F// = //m a// | N |
| kinetic energy | //E//_{k} = ½ //m v//^{2} | J |
| gravitational potential energy | //E//_{p} = //m g h// | J |
| power | //P// = //E// ÷ //t// | W |
| efficiency | useful output ÷ total input | – |
| potential difference | //V// = //I R// | V |
| wave speed | //v// = //f// λ | m s^{−1} |
| density | ρ = //m// ÷ //V// | kg m^{−3} |
| change in thermal energy | Δ//E// = //m c// Δθ | J |
@h Data
- Gravitational field strength on Earth: //g// = 9.8 N kg^{−1}.
- Speed of sound in air: 330 m s^{−1}; speed of light: 3.0 × 10^{8} m s^{−1}.
- Specific heat capacity of water: 4200 J kg^{−1} °C^{−1}.
- For any real device 0 \u2264 efficiency < 1.
""")
T("ds2", """
@c **Relative atomic masses**
@i An extract from the periodic table, for the chemistry questions.
@table 3 5 3.5 3.5
| Symbol | Element | Atomic number | A_{r} |
| H | hydrogen | 1 | 1 |
| C | carbon | 6 | 12 |
| N | nitrogen | 7 | 14 |
| O | oxygen | 8 | 16 |
| Na | sodium | 11 | 23 |
| Mg | magnesium | 12 | 24 |
| Al | aluminium | 13 | 27 |
| S | sulfur | 16 | 32 |
| Cl | chlorine | 17 | 35.5 |
| Ca | calcium | 20 | 40 |
| Cu | copper | 29 | 63.5 |
| Br | bromine | 35 | 80 |
| Pb | lead | 82 | 207 |
""")
T("pw1", """
@c **Practical worksheet: measuring density**
@h Aim
To find the density of a regular block and of an irregular stone.
@h Equipment
- a balance reading to 0.1 g
- a ruler reading to 1 mm
- a displacement (eureka) can, a 100 cm^{3} measuring cylinder and a beaker of water
- a metal block and a small stone
@h Method
1. Measure the mass of the block. Measure its length, width and height, and calculate its volume.
2. Measure the mass of the stone.
3. Fill the eureka can until water runs from the spout. When it stops, put the measuring cylinder under the spout.
4. Lower the stone into the can on a thread. Read the volume of water collected: it is the volume of the stone.
5. Repeat each measurement twice more and find the means.
@h Results
@table 4 3 3 3 3
| Object | Mass in g | Volume in cm^{3} | Density in g cm^{−3} | Mean density |
| block | | | | |
| stone | | | | |
@h Safety
Mop up spills straight away: a wet floor is slippery.
""")
T("pw2", """
@c **Practical worksheet: the disappearing cross**
@h Aim
To find how the concentration of sodium thiosulfate affects the rate of its reaction with
hydrochloric acid.
@c Na_{2}S_{2}O_{3}(aq) + 2HCl(aq) → 2NaCl(aq) + S(s) + SO_{2}(g) + H_{2}O(l)
@h Method
1. Draw a black cross on a piece of paper and put a conical flask on it.
2. Measure 50 cm^{3} of sodium thiosulfate solution into the flask.
3. Add 5 cm^{3} of dilute hydrochloric acid, swirl once and start the stopwatch.
4. Looking down through the flask, stop the clock when the cross can no longer be seen.
5. Repeat with the solution diluted as in the table. Keep the total volume at 50 cm^{3}.
@h Results
@table 4 4 3 3 3
| Thiosulfate in cm^{3} | Water in cm^{3} | Time in s | 1 ÷ time in s^{−1} | Mean time in s |
| 50 | 0 | | | |
| 40 | 10 | | | |
| 30 | 20 | | | |
| 20 | 30 | | | |
| 10 | 40 | | | |
@h Safety
Wear eye protection. Sulfur dioxide is an irritant gas: keep the room ventilated, do not
lean over the flask, and pour the mixtures away with plenty of water.
""")
T("pw3", """
@c **Practical worksheet: specific heat capacity of a metal**
@h Aim
To measure the specific heat capacity of aluminium.
@h Method
1. Measure the mass of the aluminium block (about 1 kg).
2. Put the heater and the thermometer in the holes of the block; put a drop of water in the thermometer hole.
3. Wrap the block in insulation. Record the starting temperature.
4. Switch on the 50 W heater and start the stopwatch. Record the temperature every minute for 10 minutes.
5. Calculate the energy supplied (//E// = //P t//) and plot temperature against energy.
@h Analysis
The gradient of the graph is 1 ÷ (//m c//), so //c// = 1 ÷ (//m// × gradient).
Heat escapes to the surroundings, so the measured value of //c// is usually **higher** than
the accepted value of 900 J kg^{−1} °C^{−1}.
@h Safety
The heater and the block get hot enough to burn: let them cool before you touch them.
""")
