"""Questions 21 to 40 of the sample library: chemistry."""

TEXTS = {}


def T(name, markup):
    TEXTS[name] = markup


# 21 Subatomic particles ------------------------------------------------------------
T("q21", """
Complete the table to show the relative mass and the relative charge of the particles in
an atom.
@table 5 4.5 4.5
| Particle | Relative mass | Relative charge |
| proton | 1 | +1 |
| neutron | .................... | 0 |
| electron | .................... | .................... |
@marks 3
""")
T("m21", """
@table 9 2 6
| Answer | Mark | Guidance |
| neutron: relative mass 1 | 1 | |
| electron: relative mass very small | 1 | Accept 1/1840, 0.0005, "almost zero"; do not accept 0. |
| electron: relative charge −1 | 1 | The sign is needed. |
""")

# 22 Isotopes of chlorine ------------------------------------------------------------
T("n22", """
Part (a) is recall for all students. Part (b) stretches the higher tier; the same method
works for any element, so it can be repeated with copper (^{63}Cu 69 %, ^{65}Cu 31 %).
""")
T("q22a", """
What are isotopes?
@lines 2
@marks 1
""")
T("m22a", """
@table 9 2 6
| Answer | Mark | Guidance |
| atoms of the same element (same number of protons) with different numbers of neutrons | 1 | "Different mass number" alone is not enough. |
""")
T("q22b", """
Chlorine has two isotopes. 75 % of chlorine atoms are ^{35}Cl and 25 % are ^{37}Cl.
Calculate the relative atomic mass of chlorine.
@lines 3
@r Relative atomic mass = ............................
@marks 3
""")
T("m22b", """
@table 9 2 6
| Answer | Mark | Guidance |
| (35 × 75) + (37 × 25) | 1 | |
| = 2625 + 925 = 3550, divided by 100 | 1 | |
| = 35.5 | 1 | Correct answer alone scores 3; 36 (the mean of 35 and 37) scores 0. |
""")
T("e22b", """
Most candidates could do this. The commonest wrong answer, 36, came from averaging the two
mass numbers without weighting them by their abundance. A few candidates gave a unit; the
relative atomic mass has none.
""")

# 23 Group 1 -------------------------------------------------------------------------
T("q23", """
Lithium, sodium and potassium are in Group 1 of the periodic table.
Describe what is seen when each metal is added to water, and explain the trend in
reactivity down the group in terms of the electronic structure of the atoms.
@lines 10
@marks 6
""")
T("m23", """
@table 2.5 12 2.5
| Level | Descriptor | Marks |
| 3 | Clear observations showing the trend, and a full explanation in terms of the outer electron and its distance from the nucleus. | 5–6 |
| 2 | Observations showing the trend, with a partial explanation. | 3–4 |
| 1 | Some observations or a simple statement of the trend. | 1–2 |
| 0 | Nothing worthy of credit. | 0 |
@h Indicative content
- All three float, move about and fizz, giving off hydrogen; the solution formed is alkaline.
- Lithium fizzes steadily; sodium melts into a ball; potassium melts and the hydrogen burns with a lilac flame.
- Reactivity increases down the group.
- Each atom has one electron in its outer shell, which it loses when it reacts.
- Down the group the outer electron is further from the nucleus and more shielded by inner shells.
- So the attraction to the nucleus is weaker and the electron is lost more easily.
""")

# 24 Noble gases (no mark scheme yet) ----------------------------------------------------
T("q24", """
Why are the noble gases unreactive?
@i Circle the letter of the correct answer.
A) Their atoms have a full outer shell of electrons.
B) Their atoms have no electrons.
C) They are gases at room temperature.
D) Their atoms have no neutrons.
@marks 1
""")

# 25 Ionic bonding --------------------------------------------------------------------------
T("q25", """
Sodium reacts with chlorine to form sodium chloride.
The electronic structure of sodium is 2,8,1 and that of chlorine is 2,8,7.
(a) Describe what happens to the electrons when sodium reacts with chlorine.
@lines 3
(b) Give the formulae of the two ions formed.
@lines 1
@marks 4
""")
T("m25", """
@table 9 2 6
| Answer | Mark | Guidance |
| (a) each sodium atom loses (transfers) one electron | 1 | |
| each chlorine atom gains that electron (both now have full outer shells) | 1 | "Sharing" scores 0 for the whole part. |
| (b) Na^{+} | 1 | |
| Cl^{−} | 1 | Not Cl_{2}^{−}. |
""")

# 26 Ionic compounds -----------------------------------------------------------------------
T("q26", """
Sodium chloride melts at 801 °C.
Explain why sodium chloride has a high melting point, and why it conducts electricity when
it is molten but not when it is solid.
@lines 6
@marks 3
""")
T("m26", """
@table 9 2 6
| Answer | Mark | Guidance |
| a giant lattice with strong electrostatic forces between oppositely charged ions, which need a lot of energy to overcome | 1 | Any mention of intermolecular forces scores 0 for this mark. |
| molten: the ions are free to move and carry the charge | 1 | Not "electrons move". |
| solid: the ions are held in fixed positions | 1 | |
""")

# 27 Water -----------------------------------------------------------------------------
T("q27", """
Water, H_{2}O, is made of small covalent molecules.
(a) How many covalent bonds are there in one molecule of water?
@lines 1
(b) Explain why water has a low boiling point.
@lines 2
@marks 2
""")
T("m27", """
@table 9 2 6
| Answer | Mark | Guidance |
| (a) 2 | 1 | |
| (b) the forces between the molecules are weak, so little energy is needed to overcome them | 1 | Answers that say the covalent bonds break score 0. |
""")

# 28 Diamond and graphite --------------------------------------------------------------
T("q28", """
Diamond and graphite are both made only of carbon atoms.
Compare the structures of diamond and graphite, and use them to explain why diamond is very
hard while graphite is soft and conducts electricity.
@lines 10
@marks 6
""")
T("m28", """
@table 2.5 12 2.5
| Level | Descriptor | Marks |
| 3 | Both structures described accurately and used to explain hardness, softness **and** conduction. | 5–6 |
| 2 | Both structures described, with some of the properties explained. | 3–4 |
| 1 | Simple statements about the structures or the properties. | 1–2 |
| 0 | Nothing worthy of credit. | 0 |
@h Indicative content
- Both are giant covalent structures.
- In diamond each carbon atom forms four covalent bonds in a rigid three-dimensional lattice, so it is very hard.
- In graphite each carbon atom forms three covalent bonds, making layers of hexagonal rings.
- The forces between the layers are weak, so the layers slide over each other: graphite is soft.
- Each carbon atom in graphite has one delocalised electron, which can move through the structure and carry charge.
- Diamond has no delocalised electrons, so it does not conduct.
""")
T("e28", """
Many answers described graphite's layers well but then said that "the layers are held by
weak covalent bonds"; the bonds within a layer are strong, and it is the forces //between//
the layers that are weak. Few candidates explained conduction in terms of delocalised
electrons; "free electrons" was accepted.
""")

# 29 Relative formula mass -------------------------------------------------------------------
T("q29a", """
Calculate the relative formula mass (M_{r}) of carbon dioxide, CO_{2}.
Relative atomic masses (A_{r}): C = 12, O = 16.
@lines 2
@marks 2
""")
T("m29a", """
@table 9 2 6
| Answer | Mark | Guidance |
| 12 + (2 × 16) | 1 | |
| = 44 | 1 | 28 (one oxygen) scores 0. |
""")
T("q29b", """
Calculate the relative formula mass (M_{r}) of calcium hydroxide, Ca(OH)_{2}.
Relative atomic masses (A_{r}): Ca = 40, O = 16, H = 1.
@lines 2
@marks 2
""")
T("m29b", """
@table 9 2 6
| Answer | Mark | Guidance |
| 40 + 2 × (16 + 1) | 1 | |
| = 74 | 1 | 57 (brackets ignored) scores 1. |
""")
T("q29c", """
Calculate the percentage by mass of nitrogen in ammonium nitrate, NH_{4}NO_{3}.
Relative atomic masses (A_{r}): H = 1, N = 14, O = 16.
@lines 3
@r Percentage of nitrogen = ............................ %
@marks 3
""")

# 30 Moles --------------------------------------------------------------------------------
T("q30", """
Calculate the mass of 0.25 mol of sodium hydroxide, NaOH.
Relative atomic masses (A_{r}): Na = 23, O = 16, H = 1.
@lines 2
@r Mass = ............................ g
@marks 2
""")
T("m30", """
@table 9 2 6
| Answer | Mark | Guidance |
| M_{r} = 23 + 16 + 1 = 40 | 1 | |
| mass = 0.25 × 40 = 10 g | 1 | |
""")

# 31 Reacting masses -----------------------------------------------------------------------
T("n31", """
Students who use the mass-ratio method (48 g of Mg gives 80 g of MgO, so 6.0 g gives
10 g) should be given full marks as well; the mark scheme lists the mole method only.
""")
T("q31", """
Magnesium burns in oxygen to form magnesium oxide:
@c 2Mg + O_{2} → 2MgO
Calculate the mass of magnesium oxide formed when 6.0 g of magnesium burns completely.
Relative atomic masses (A_{r}): Mg = 24, O = 16.
@lines 4
@r Mass = ............................ g
@marks 4
""")
T("m31", """
@table 9 2 6
| Answer | Mark | Guidance |
| moles of Mg = 6.0 ÷ 24 = 0.25 mol | 1 | |
| moles of MgO = 0.25 mol (2 : 2 ratio) | 1 | |
| M_{r} of MgO = 40 | 1 | |
| mass = 0.25 × 40 = 10 g | 1 | Correct answer alone scores 4. |
""")
T("e31", """
Candidates who set out their working in clear steps did well. A frequent error was to halve
the number of moles because of the "2" in front of Mg, giving 5 g. Remind students that the
ratio that matters is the one between the two substances in the question: 2 : 2.
""")

# 32 pH -------------------------------------------------------------------------------
T("q32", """
A solution has a pH of 2. Which of these describes the solution?
@i Circle the letter of the correct answer.
A) strongly acidic
B) weakly acidic
C) neutral
D) strongly alkaline
@marks 1
""")
T("m32", """
@table 9 2 6
| Answer | Mark | Guidance |
| **A** | 1 | |
""")

# 33 Neutralisation ---------------------------------------------------------------------
T("q33", """
Write the ionic equation for the reaction that takes place when any acid is neutralised by
an alkali. Include state symbols.
@lines 2
@marks 2
""")
T("m33", """
@table 9 2 6
| Answer | Mark | Guidance |
| H^{+} + OH^{−} → H_{2}O | 1 | |
| H^{+}(aq) + OH^{−}(aq) → H_{2}O(l) | 1 | State symbols all correct. |
""")

# 34 Making a salt ---------------------------------------------------------------------
T("q34", """
Copper sulfate can be made from copper oxide and dilute sulfuric acid:
@c CuO + H_{2}SO_{4} → CuSO_{4} + H_{2}O
Describe how you would make pure, dry crystals of copper sulfate in the laboratory.
@lines 10
@marks 6
""")
T("m34", """
@table 2.5 12 2.5
| Level | Descriptor | Marks |
| 3 | A logical, complete method that would give pure, dry crystals. | 5–6 |
| 2 | A method with the main steps in order; one important step missing or unclear. | 3–4 |
| 1 | Some relevant steps, not clearly ordered. | 1–2 |
| 0 | Nothing worthy of credit. | 0 |
@h Indicative content
- Warm the dilute sulfuric acid in a beaker (do not boil it).
- Add copper oxide a spatula at a time, stirring, until no more dissolves (the copper oxide is in excess).
- Filter to remove the excess copper oxide.
- Heat the filtrate in an evaporating basin to remove some of the water, until crystals start to form.
- Leave the solution to cool and crystallise.
- Pour off the remaining solution, and dry the crystals between filter papers or in a warm oven.
""")

# 35 Electrolysis of lead bromide -------------------------------------------------------------
T("q35", """
Molten lead bromide, PbBr_{2}, is electrolysed using inert electrodes.
(a) Explain why the lead bromide must be molten.
@lines 1
(b) Name the product at the cathode and the product at the anode.
@lines 2
(c) Write a half equation for the reaction at the cathode.
@lines 1
@marks 4
""")
T("m35", """
@table 9 2 6
| Answer | Mark | Guidance |
| (a) the ions must be free to move | 1 | |
| (b) cathode: lead | 1 | |
| anode: bromine | 1 | Not "bromide". |
| (c) Pb^{2+} + 2e^{−} → Pb | 1 | |
""")
T("e35", """
Part (b) was well known. In part (c) many wrote Pb^{2+} − 2e^{−} → Pb, or put the
electrons on the wrong side. Reduction at the cathode is a //gain// of electrons, so the
electrons appear on the left of the half equation.
""")

# 36 Brine (no mark scheme yet) -----------------------------------------------------------
T("q36", """
When sodium chloride solution is electrolysed, hydrogen is produced at the cathode, not
sodium.
(a) Explain why hydrogen is produced instead of sodium.
@lines 2
(b) Name the product at the anode.
@lines 1
@marks 3
""")

# 37 Magnesium and hydrochloric acid ----------------------------------------------------------
T("q37a", """
Which change would **not** increase the rate of the reaction between magnesium ribbon and
hydrochloric acid?
@i Circle the letter of the correct answer.
A) using magnesium powder instead of ribbon
B) warming the acid
C) using more dilute acid
D) using more concentrated acid
@marks 1
""")
T("m37a", """
@table 9 2 6
| Answer | Mark | Guidance |
| **C** | 1 | |
""")
T("q37b", """
Use collision theory to explain why the reaction between magnesium and hydrochloric acid is
faster at a higher temperature.
@lines 4
@marks 3
""")
T("m37b", """
@table 9 2 6
| Answer | Mark | Guidance |
| the particles have more energy and move faster | 1 | |
| so they collide more often | 1 | |
| and a greater proportion of collisions have energy ≥ the activation energy (more successful collisions) | 1 | |
""")
T("q37c", """
A student collects the hydrogen given off by the reaction in a gas syringe.
@table 3.5 2 2 2 2 2 2
| Time in s | 0 | 10 | 20 | 30 | 40 | 50 |
| Volume in cm^{3} | 0 | 24 | 40 | 51 | 58 | 60 |
(i) Calculate the mean rate of reaction over the first 20 s.
@lines 2
@r Mean rate = ............................ cm^{3} s^{−1}
(ii) Explain how the results show that the reaction slows down.
@lines 2
@marks 3
""")
T("m37c", """
@table 9 2 6
| Answer | Mark | Guidance |
| (i) 40 ÷ 20 | 1 | |
| = 2.0 cm^{3} s^{−1} | 1 | |
| (ii) the volume collected in each 10 s gets smaller (24, 16, 11, 7, 2 cm^{3}) | 1 | Must use the data. |
""")
T("e37c", """
Part (i) was answered well. In part (ii) many candidates wrote that "the volume goes up more
slowly" without using the figures; the question asks how the //results// show it, so the
mark needs the volumes in successive intervals to be compared.
""")

# 38 Disappearing cross ---------------------------------------------------------------------
T("n38", """
**Safety.** The reaction releases a little sulfur dioxide. Use the volumes on worksheet PW2,
ventilate the room, and pour the finished mixtures into a sink with plenty of water.
Students with asthma should not lean over the flasks.
""")
T("q38", """
A student investigates how the concentration of sodium thiosulfate solution affects the
rate of its reaction with dilute hydrochloric acid. The solution goes cloudy as sulfur forms.
(a) Describe how the "disappearing cross" method can be used to measure the rate.
@lines 3
(b) Name the independent variable, the dependent variable and one control variable.
@lines 3
@marks 4
""")
T("m38", """
@table 9 2 6
| Answer | Mark | Guidance |
| (a) put the flask on a cross drawn on paper, add the acid and time how long it takes until the cross can no longer be seen | 1 | |
| (b) independent: the concentration of sodium thiosulfate | 1 | |
| dependent: the time for the cross to disappear | 1 | |
| control: any one of volume of acid, concentration of acid, temperature, the same cross and observer | 1 | |
""")

# 39 Catalysts --------------------------------------------------------------------------
T("q39", """
(a) What is a catalyst?
@lines 2
(b) Give one reason why catalysts are used in industry.
@lines 1
@marks 2
""")
T("m39", """
@table 9 2 6
| Answer | Mark | Guidance |
| (a) a substance that speeds up a reaction without being used up | 1 | Both ideas needed. |
| (b) any one: reactions are faster, so more product in a given time; lower temperatures can be used, saving energy and cost | 1 | |
""")

# 40 Reaction profile -------------------------------------------------------------------------
T("q40", """
The diagram shows the reaction profile for the combustion of methane.
@pic reaction_profile
(a) Is the reaction exothermic or endothermic? Give a reason from the diagram.
@lines 2
(b) What does the energy labelled **X** represent?
@lines 1
@marks 3
""")
T("m40", """
@table 9 2 6
| Answer | Mark | Guidance |
| (a) exothermic | 1 | |
| the products have less energy than the reactants / energy is given out (ΔH is negative) | 1 | |
| (b) the activation energy | 1 | |
""")
